#pragma once
// The save prompt and the open and save dialogs of the document commands.
#include <string>
#include <string_view>

#include "document/document_rules.h"
#include "document/text_encoding.h"

namespace document {

// A Yes/No/Cancel box titled with the purpose; closing the box counts as Cancel.
PromptAnswer askSaveFirst(std::string_view purpose, const std::string& text);

// Shows the open or save dialog and returns the chosen path, or an empty string when the user
// chose nothing. The filter text separates descriptions and patterns with "|"; typeIndex counts
// from 0. Given an encoding, the dialog offers the field "Codierung:" preselected with it, and the
// choice is written back when the user chose a path.
std::string showFileDialog(const std::string& title, std::string_view defaultPath, std::string_view filter,
                           int typeIndex, bool saving, TextEncoding* encoding = nullptr);

// The 0-based type chosen in the last dialog closed with OK; -1 after a cancelled one.
int selectedPattern();

// A message box with the program's owner and disabling rules and an OK button.
void showFailure(std::string_view purpose, const std::string& text);

// The system's text for an error code, for the failure messages.
std::string systemReason(unsigned long error);

}  // namespace document
