#include "settings/ini_text.h"

namespace {

const char* const BLANKS = " \t\r";

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

// A comment after a value begins at a '#' or ';' that follows a blank or the '='.
size_t valueEnd(const std::string& line, size_t begin) {
    size_t end = line.size();
    for (size_t i = begin; i < line.size(); ++i) {
        const bool afterBlank = i == begin || line[i - 1] == ' ' || line[i - 1] == '\t';
        if ((line[i] == '#' || line[i] == ';') && afterBlank) {
            end = i;
            break;
        }
    }
    while (end > begin && (line[end - 1] == ' ' || line[end - 1] == '\t' || line[end - 1] == '\r')) --end;
    return end;
}

Found find(const std::string& text, const std::string& section, const std::string& key) {
    Found f;
    bool inSection = false;
    for (size_t start = 0; start < text.size();) {
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
                    f.end = start + valueEnd(line, begin);
                    return f;
                }
            }
        }
        start = next;
    }
    return f;
}

}  // namespace

std::optional<std::string> iniValue(const std::string& text, const std::string& section, const std::string& key) {
    const Found f = find(text, section, key);
    if (f.begin == std::string::npos) return std::nullopt;
    return text.substr(f.begin, f.end - f.begin);
}

std::string withIniValue(const std::string& text, const std::string& section, const std::string& key,
                         const std::string& value) {
    const Found f = find(text, section, key);
    if (f.begin != std::string::npos) {
        // A comment right where the value goes keeps a blank before it.
        const bool commentNext = f.end < text.size() && (text[f.end] == '#' || text[f.end] == ';');
        return text.substr(0, f.begin) + value + (commentNext ? " " : "") + text.substr(f.end);
    }
    const std::string line = key + " = " + value + "\n";
    if (f.sectionSeen) {
        // The section's last line may be the file's last, without its newline.
        const bool needsNewline = f.sectionEnd == text.size() && !text.empty() && text.back() != '\n';
        return text.substr(0, f.sectionEnd) + (needsNewline ? "\n" : "") + line + text.substr(f.sectionEnd);
    }
    std::string out = text;
    if (!out.empty() && out.back() != '\n') out += '\n';
    if (!out.empty()) out += '\n';
    return out + "[" + section + "]\n" + line;
}
