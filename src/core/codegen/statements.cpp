#include "codegen/statements.h"

#include <cstdint>

#include "chart/catalogue.h"
#include "codegen/statement_line.h"

namespace varnoki::codegen {
namespace {

// Reads a record's fields the way statements need them.
class Fields {
public:
    explicit Fields(const chart::Record& record) : record_(record) {}

    int Integer(std::string_view name) const { return record_.ReadInteger(name, -1); }
    std::string Number(std::string_view name) const { return std::to_string(Integer(name)); }
    std::string Text(std::string_view name) const { return record_.ReadText(name); }
    std::string Decoded(std::string_view name) const { return chart::UnescapeValue(Text(name)); }
    bool Switch(std::string_view name) const { return record_.ReadBoolean(name, true); }

    // The variable or port letter: the character 65 + value, unchecked, so a missing field (-1)
    // gives "@". Values far outside wrap around within the byte instead of overflowing.
    std::string Letter(std::string_view name) const {
        const auto code = static_cast<unsigned char>(65 + static_cast<std::int64_t>(Integer(name)));
        return std::string(1, static_cast<char>(code));
    }

private:
    const chart::Record& record_;
};

// Drive and turn blocks: two directions, each either running on ("FDX") or for the wait time
// ("FD " + wait, the wait copied as text). Any other mode gives the empty statement.
std::string MotionStatement(const Fields& fields, std::string_view first, std::string_view second) {
    const int mode = fields.Integer("mode");
    if (mode < 0 || mode > 3) return {};
    const std::string word(mode % 2 == 0 ? first : second);
    return mode < 2 ? word + "X" : word + " " + fields.Text("wait");
}

std::string StopStatement(const Fields& fields) {
    switch (fields.Integer("mode")) {
        case 0:
            return "STX";
        case 1:
            return "MOTOR 0,0";
        default:
            return {};
    }
}

std::string SwitchSensorSource(int index) {
    if (index >= 0 && index <= 4) return "PC" + std::to_string(index);
    if (index == 5) return "MIC";
    return "PCX";
}

// The statements of one block kind; nothing for kinds without a statement.
std::vector<std::string> KindStatements(int kind, const Fields& f) {
    switch (kind) {
        case 1:
            return {MotionStatement(f, "FD", "BK")};
        case 2:
            return {MotionStatement(f, "LT", "RT")};
        case 3:
            return {"MOTOR " + f.Number("motorL") + "," + f.Number("motorR")};
        case 4:
            return {StopStatement(f)};
        case 5:
            return {"WAIT " + f.Number("wait")};
        case 6: {
            std::vector<std::string> melody;
            if (f.Switch("keycmd")) melody.push_back("KEY " + f.Number("key"));
            melody.push_back("PLAY " + f.Text("content"));
            return melody;
        }
        case 9:
            return {"FOR " + f.Letter("var") + "=1 TO " + f.Number("times")};
        case 10:
            return {"NEXT " + f.Letter("var")};
        case 11:
            return {"label: " + f.Text("label")};
        case 12:
            return {"GOTO label: " + f.Text("label")};
        case 13:
            return {"IF " + f.Decoded("condition") + " THEN label: " + f.Decoded("label")};
        case 14:
            return {"END"};
        case 15:
            return {"LED " + f.Number("led")};
        case 16:
            return {"DDR" + f.Letter("ddr") + " " + f.Number("data")};
        case 17:
            return {f.Letter("var") + "=PIN" + f.Letter("port")};
        case 18:
            return {"PORT" + f.Letter("port") + " " + f.Number("data")};
        case 19:
            return {"SERVOE " + f.Number("data1") + "," + f.Number("data2") + "," + f.Number("data3") + "," +
                    f.Number("data4") + "," + f.Number("data5") + "," + f.Number("speed")};
        case 20:
            return {f.Decoded("command")};
        case 21:
            return {f.Letter("var") + "=" + SwitchSensorSource(f.Integer("index"))};
        case 22:
            return {f.Letter("var") + "=ADC" + f.Number("index")};
        case 23:
            return {"sub: " + f.Text("sub")};
        case 24:
            return {"RETURN"};
        case 25:
            return {"GOSUB sub: " + f.Text("sub")};
        case 26:
            return {"VOICEX " + f.Number("index")};
        default:
            return {};
    }
}

// Kinds whose statement is fixed (program end, subroutine end) need not read their record at all, so
// a damaged record there does not stop the generation.
bool ReadsFields(int kind) { return kind != 14 && kind != 24; }

bool HasStatements(int kind) { return kind >= 1 && kind <= 26 && kind != 7 && kind != 8; }

}  // namespace

std::vector<std::string> MakeStatements(int shapeCode, const chart::Record& record) {
    std::vector<std::string> lines = KindStatements(shapeCode - chart::kBlockShapeBase, Fields(record));
    for (std::string& line : lines) line = QuoteStatement(line);
    return lines;
}

std::vector<std::string> MakeStatements(int shapeCode, std::string_view recordText) {
    const int kind = shapeCode - chart::kBlockShapeBase;
    if (!HasStatements(kind)) return {};
    if (!ReadsFields(kind)) return MakeStatements(shapeCode, chart::Record(xml::Element{}));
    return MakeStatements(shapeCode, chart::Record::Parse(recordText));
}

}  // namespace varnoki::codegen
