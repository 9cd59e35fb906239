#include "settings/ini_text.h"

namespace {

const char* const BLANKS = " \t\r";
const std::string BYTE_ORDER_MARK = "\xEF\xBB\xBF";

// Where the lines start: after the mark an editor may have put first.
size_t bodyStart(const std::string& text) { return text.compare(0, 3, BYTE_ORDER_MARK) == 0 ? 3 : 0; }

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string trimmed(const std::string& s) {
    const size_t first = s.find_first_not_of(BLANKS);
    if (first == std::string::npos) return "";
    return s.substr(first, s.find_last_not_of(BLANKS) - first + 1);
}

// Where one key's value lies in the text: [begin, end) of the value itself.
struct Found {
    bool sectionSeen = false;
    size_t sectionEnd = std::string::npos;  // just after the section's last key line (or header)
    size_t begin = std::string::npos, end = std::string::npos;
};

// "[name]", with nothing after it but a comment.
bool isHeader(const std::string& t) {
    const size_t close = t.find(']');
    if (t.empty() || t[0] != '[' || close == std::string::npos) return false;
    const std::string rest = trimmed(t.substr(close + 1));
    return rest.empty() || rest[0] == '#' || rest[0] == ';';
}

size_t valueEnd(const std::string& line, size_t begin, IniValueKind kind) {
    size_t end = line.size();
    for (size_t i = begin; i < line.size(); ++i) {
        const bool mayStart = kind == IniValueKind::Word || (i > 0 && isBlank(line[i - 1]));
        if ((line[i] == '#' || line[i] == ';') && mayStart) {
            end = i;
            break;
        }
    }
    while (end > begin && (isBlank(line[end - 1]) || line[end - 1] == '\r')) --end;
    return end;
}

Found find(const std::string& text, const std::string& section, const std::string& key, IniValueKind kind) {
    Found f;
    bool inSection = false;
    for (size_t start = bodyStart(text); start < text.size();) {
        size_t stop = text.find('\n', start);
        if (stop == std::string::npos) stop = text.size();
        const std::string line = text.substr(start, stop - start);
        const std::string t = trimmed(line);
        const size_t next = stop < text.size() ? stop + 1 : stop;
        if (isHeader(t)) {
            inSection = trimmed(t.substr(1, t.find(']') - 1)) == section;
            if (inSection && !f.sectionSeen) {
                f.sectionSeen = true;
                f.sectionEnd = next;
            }
        } else if (inSection && !t.empty() && t[0] != '#' && t[0] != ';') {
            const size_t equals = line.find('=');
            if (equals != std::string::npos) {
                f.sectionEnd = next;
                if (trimmed(line.substr(0, equals)) == key) {
                    size_t begin = line.find_first_not_of(" \t", equals + 1);
                    if (begin == std::string::npos) begin = line.size();
                    f.begin = start + begin;
                    f.end = start + valueEnd(line, begin, kind);
                    return f;
                }
            }
        }
        start = next;
    }
    return f;
}

}  // namespace

std::optional<std::string> iniValue(const std::string& text, const std::string& section, const std::string& key,
                                    IniValueKind kind) {
    const Found f = find(text, section, key, kind);
    if (f.begin == std::string::npos) return std::nullopt;
    return text.substr(f.begin, f.end - f.begin);
}

std::string withIniValue(const std::string& text, const std::string& section, const std::string& key,
                         const std::string& value, IniValueKind kind) {
    const Found f = find(text, section, key, kind);
    if (f.begin != std::string::npos) {
        // An empty value with a comment right after it: a blank keeps them apart.
        const bool commentNext = f.begin == f.end && f.end < text.size() && (text[f.end] == '#' || text[f.end] == ';');
        return text.substr(0, f.begin) + value + (commentNext ? " " : "") + text.substr(f.end);
    }
    // New lines end as the player's do.
    const std::string newline = text.find("\r\n") != std::string::npos ? "\r\n" : "\n";
    const std::string line = key + " = " + value + newline;
    if (f.sectionSeen) {
        // The section's last line may be the file's last, without its newline.
        const bool needsNewline = f.sectionEnd == text.size() && text.back() != '\n';
        return text.substr(0, f.sectionEnd) + (needsNewline ? newline : "") + line + text.substr(f.sectionEnd);
    }
    std::string out = text;
    if (out.size() > bodyStart(out)) {
        if (out.back() != '\n') out += newline;
        out += newline;
    }
    return out + "[" + section + "]" + newline + line;
}
