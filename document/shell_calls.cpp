#include "document/shell_calls.h"

namespace document {

namespace {
ShellCalls registered;
}

void setShellCalls(const ShellCalls& calls) { registered = calls; }

const ShellCalls& shellCalls() { return registered; }

}  // namespace document
