// The engine's numbered texts. Every user-visible text of the engine has a
// number; the language DLL of the run holds them in its string table, and
// the English texts built into the engine stand in where it has none.
#pragma once

#include <windows.h>

#include <string>

namespace gvmain {

// The longest text taken from a language DLL, without the terminating zero.
constexpr int maxMessageLength = 256;

// The text of message `number`: from `languageDll` when it is loaded and its
// string table has the number, else the built-in English text, else "".
std::string LoadMessage(HMODULE languageDll, int number);

// The built-in English text of message `number`, or nullptr.
const char* EnglishMessage(int number);

}  // namespace gvmain
