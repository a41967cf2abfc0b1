#include "platform/program_name.h"

namespace platform {

std::string programTitle() { return std::string(productPrefix) + std::string(versionText); }

std::string dialogTitle(std::string_view purpose) { return programTitle() + "  |  " + std::string(purpose); }

}  // namespace platform
