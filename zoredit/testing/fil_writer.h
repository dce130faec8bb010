#pragma once
// Writes an Equipment as an object file, field for field as the compiler
// does. The library itself never writes object files; the tests and the
// benchmark use this to make them.

#include <string>

#include "zoredit/model.h"

namespace zor::edit {

std::string write_fil(const Equipment& eq);

}  // namespace zor::edit
