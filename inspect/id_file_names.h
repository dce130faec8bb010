#pragma once
// Whether a definition's name builds as a constant of the ID definition
// files. The compiler writes every definition's name, whatever its kind, as
// one constant into one .h (C), one .cs class (C#) and one .vb class and
// .bas module (Visual Basic, which ignores case): a name that is no
// identifier, a keyword, or a second constant of one name breaks a build.

#include <string>
#include <string_view>

namespace zor::inspect {

// "" when `name` is an identifier in C, C# and Visual Basic and a keyword
// of none; else the languages where it is not, e.g. "C, C#" or "VB".
std::string languages_refusing(std::string_view name);

// The name as Visual Basic compares constants: ASCII letters in upper case.
std::string vb_key(std::string_view name);

}  // namespace zor::inspect
