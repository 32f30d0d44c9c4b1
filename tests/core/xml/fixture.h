#pragma once

#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

// The bytes of a file under tests/data/xml.
inline std::string ReadFixture(const std::string& name) {
    const std::string path = std::string(VARNOKI_TEST_DATA) + "/xml/" + name;
    std::ifstream file(path, std::ios::binary);
    if (!file) throw std::runtime_error("missing fixture " + path);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}
