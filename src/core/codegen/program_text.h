#pragma once

// Program text assembly: the numbered VARNOKI program of a whole chain of blocks, with labels and
// subroutines resolved into line numbers.

#include <span>
#include <string>
#include <vector>

namespace varnoki::chart {
class Chart;
}

namespace varnoki::codegen {

// One block of the chain as the generator needs it.
struct BlockSource {
    int shapeCode;
    std::string record;   // the block's parameter record text
    std::string caption;  // Big5; names the block when its record cannot be read
};

// The program text of the blocks, in chain order: Big5 lines without line ends, each a number, " REM "
// and a statement line, beginning with `10 REM "VARNOKI"`. A block whose record cannot be parsed
// raises varnoki::Error naming the block's place in the chain (counted from 1), its caption and the
// reader's message.
std::vector<std::string> GenerateProgramText(std::span<const BlockSource> blocks);

// The same for the blocks of a chart, each named by its palette caption.
std::vector<std::string> GenerateProgramText(const chart::Chart& chart);

// Resolves and numbers an unnumbered line list (the quoted header at index 0, then the blocks'
// statement lines): label references first, then subroutine references, become the number of their
// definition line; the line at index i is numbered (i + 1) * 10; definition lines keep their number
// but are left out, so each leaves a gap.
std::vector<std::string> NumberProgramText(std::span<const std::string> unnumberedLines);

}  // namespace varnoki::codegen
