// Reading scrivlet-replay's mark lines back into the core's mark types.
#include "tools/render/marks.h"

#include <cerrno>
#include <cstdlib>
#include <sstream>

namespace {

// Six hex digits, nothing else: a line cut off or mangled is a bad mark,
// never an exception out of the renderer.
bool ReadColour(std::istringstream& in, Colour& colour)
{
    std::string hex;
    if (!(in >> hex) || hex.size() != 6)
        return false;
    unsigned rgb = 0;
    for (const char c : hex) {
        const int digit = c >= '0' && c <= '9'   ? c - '0'
                          : c >= 'a' && c <= 'f' ? c - 'a' + 10
                          : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                 : -1;
        if (digit < 0)
            return false;
        rgb = rgb << 4 | static_cast<unsigned>(digit);
    }
    colour = MakeColour(static_cast<int>(rgb >> 16), static_cast<int>((rgb >> 8) & 0xFF),
                        static_cast<int>(rgb & 0xFF));
    return true;
}

// A whole decimal number from 1 to kLargestCanvasSide, nothing before or
// after it.
bool ReadSide(const char* text, int& side)
{
    if (!text || *text < '0' || *text > '9')
        return false;
    errno = 0;
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (errno != 0 || *end != '\0' || value < 1 || value > kLargestCanvasSide)
        return false;
    side = static_cast<int>(value);
    return true;
}

}  // namespace

std::optional<RenderArguments> ParseRenderArguments(int argc, const char* const* argv, std::string& error)
{
    if (argc != 4) {
        error = "usage: scrivlet-render WIDTH HEIGHT OUT.ppm < MARKS";
        return std::nullopt;
    }
    RenderArguments arguments;
    if (!ReadSide(argv[1], arguments.width) || !ReadSide(argv[2], arguments.height)) {
        error = "WIDTH and HEIGHT must be whole numbers from 1 to " + std::to_string(kLargestCanvasSide) + ", not \"" +
                argv[1] + "\" and \"" + argv[2] + "\"";
        return std::nullopt;
    }
    arguments.output = argv[3];
    if (arguments.output.empty()) {
        error = "OUT.ppm must name a file";
        return std::nullopt;
    }
    return arguments;
}

Mark ParseMark(const std::string& line)
{
    std::istringstream in(line);
    std::string word;
    Mark mark;
    if (!(in >> word) || word == "sound")
        return mark;
    int flag = 0;
    if (word == "segment") {
        Segment& s = mark.segment;
        if (in >> s.from.x >> s.from.y >> s.to.x >> s.to.y >> s.width && ReadColour(in, s.colour) && in >> flag) {
            s.margin = flag != 0;
            mark.kind = MarkKind::Segment;
            return mark;
        }
    } else if (word == "dot") {
        Segment& s = mark.segment;
        if (in >> s.to.x >> s.to.y >> s.width && ReadColour(in, s.colour) && in >> flag) {
            s.from = s.to;
            s.margin = flag != 0;
            s.dot = true;
            mark.kind = MarkKind::Segment;
            return mark;
        }
    } else if (word == "stamp") {
        Blossom& b = mark.blossom;
        if (in >> b.centre.x >> b.centre.y >> b.a >> b.b && ReadColour(in, b.colour) && in >> flag) {
            b.margin = flag != 0;
            mark.kind = MarkKind::Stamp;
            return mark;
        }
    } else if (word == "clear") {
        if (in >> mark.clearWidth >> mark.clearHeight) {
            mark.kind = MarkKind::Clear;
            return mark;
        }
    }
    mark.kind = MarkKind::Bad;
    return mark;
}
