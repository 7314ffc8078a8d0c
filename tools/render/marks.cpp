// Reading scrivlet-replay's mark lines back into the core's mark types.
#include "tools/render/marks.h"

#include <sstream>

namespace {

bool ReadColour(std::istringstream& in, Colour& colour)
{
    std::string hex;
    if (!(in >> hex) || hex.size() != 6)
        return false;
    const unsigned long rgb = std::stoul(hex, nullptr, 16);
    colour = MakeColour(static_cast<int>(rgb >> 16), static_cast<int>((rgb >> 8) & 0xFF),
                        static_cast<int>(rgb & 0xFF));
    return true;
}

}  // namespace

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
