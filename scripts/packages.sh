# Debian packages the build, the tests and the program need; sourced by ./run and ./test.
VARNOKI_PACKAGES=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-serialport-dev qt6-svg-dev libgl-dev
  libgtest-dev libbenchmark-dev
  clang libclang-rt-14-dev
  fonts-arphic-uming
  xvfb xauth
)

# Installs, with one apt-get update, only the packages that are not installed yet.
install_missing_packages() {
  local missing=()
  for pkg in "${VARNOKI_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || missing+=("$pkg")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "== installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
}
