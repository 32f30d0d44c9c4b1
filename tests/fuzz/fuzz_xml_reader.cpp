// Feeds arbitrary bytes to the XML reader. A document that reads must write, and what it writes must
// read back into the same bytes: saving an opened chart twice may never change the file.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "xml/reader.h"
#include "xml/writer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace varnoki::xml;
    std::string written;
    try {
        written = WriteDocument(ParseDocument(std::string_view(reinterpret_cast<const char*>(data), size)));
    } catch (const ParseError&) {
        return 0;
    }
    try {
        if (WriteDocument(ParseDocument(written)) == written) return 0;
        std::fprintf(stderr, "writing is not stable; first write:\n%s\n", written.c_str());
    } catch (const ParseError& error) {
        std::fprintf(stderr, "written document does not read back: %s\n%s\n", error.what(), written.c_str());
    }
    std::abort();
}
