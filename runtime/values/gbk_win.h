// Texts stay GBK inside the runtime; at the Windows boundary they become
// UTF-16 (code page 936 both ways) and the wide-character API is called, so
// the program reads correctly whatever the system's ANSI code page is.
#pragma once

#include <string>

namespace rt {

std::wstring to_wide(const char* gbk);        // null reads as empty
std::wstring to_wide(const std::string& gbk);
std::string to_gbk(const wchar_t* text);      // null reads as empty
std::string to_gbk(const std::wstring& text);
// False, with `gbk` as near as it gets, when the text holds a character
// that GBK has no bytes for.
bool to_gbk_exactly(const std::wstring& text, std::string& gbk);

}  // namespace rt
