// The text of an INI file as people edit it: "[section]" headers, "key = value"
// lines, "#" and ";" comments, on their own lines or after a value, a UTF-8
// byte order mark before it all, CRLF or LF lines. Reading cuts the comment
// off a value; writing changes only the value, so every other byte (comments,
// blank lines, the mark, unknown keys and sections) stays as the player left it.
#pragma once

#include <optional>
#include <string>

// Where a comment after a value may start.
enum class IniValueKind {
    Word,  // a number or a list of key names: at any '#' or ';'
    Path,  // a file name, which may hold either: only at a blank then '#' or ';'
};

// The value of `key` in `[section]`, blanks and any comment after it cut
// away; nothing when the key is not there. The first such key counts.
std::optional<std::string> iniValue(const std::string& text, const std::string& section, const std::string& key,
                                    IniValueKind kind = IniValueKind::Word);

// `text` with that value replaced where it stands (its comment kept), or the
// key added at the end of its section, or the section added at the end.
std::string withIniValue(const std::string& text, const std::string& section, const std::string& key,
                         const std::string& value, IniValueKind kind = IniValueKind::Word);
