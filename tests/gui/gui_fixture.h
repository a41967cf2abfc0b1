#pragma once
// Starts the real program inside the test process and answers its dialogs from a helper thread.
#include <windows.h>
#include <richedit.h>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <set>
#include <string>
#include <thread>

namespace gui_test {

// The exit sequence's end of process, counted instead of performed.
extern std::atomic<int> exitCalls;

// Runs start-up as the program does, with the given command line, and handles pending events.
void startVelloro(const std::string& commandLine = "velloro.exe");

// Handles everything that is waiting, as the event loop would.
void settle();

// Runs the event loop until the condition holds or the time runs out.
bool runUntil(const std::function<bool()>& condition, int milliseconds = 5000);

std::string windowText(HWND window);
std::string editorText();
// The editor's selection, and setting it.
CHARRANGE selection();
void select(LONG from, LONG to);
void setEditorText(const std::string& text);
// The title in UTF-8, read in Unicode.
std::string titleText(HWND window);
// Paths are UTF-8, as the program keeps them.
std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& bytes);
bool fileExists(const std::string& path);
// The names in a folder (given with its trailing separator).
std::set<std::string> folderNames(const std::string& folder);

// Types characters into the focused window of this thread as keyboard input would.
void typeIntoEditor(const std::string& text);
// The shell's description of a drop of the NUL-separated names, for WM_DROPFILES; the receiver frees it.
WPARAM dropBlock(std::string names);
// Replaces the text as the user would, so that the control counts it as an edit.
void typeOver(const std::string& text);

// Waits on another thread for a top-level window with the given title and acts on it.
class DialogAnswerer {
 public:
  DialogAnswerer(std::string title, std::function<void(HWND)> action, int milliseconds = 10000);
  ~DialogAnswerer();
  DialogAnswerer(const DialogAnswerer&) = delete;
  DialogAnswerer& operator=(const DialogAnswerer&) = delete;
  // Whether the window appeared and was acted on.
  bool answered();

 private:
  std::atomic<bool> found_{false};
  std::thread thread_;
};

// Presses a button of a message box or dialog (IDYES, IDNO, IDCANCEL, IDOK).
void pressButton(HWND dialog, int buttonId);

// The message of a message box: the texts of its static controls, joined.
std::string dialogMessage(HWND dialog);

// From an answerer's action: waits until the dialog just answered is gone, then waits for the next
// window with the title and acts on it. False when none came.
bool answerNext(HWND answered, const std::string& title, const std::function<void(HWND)>& action,
                int milliseconds = 10000);

// Runs a command and handles what it queued.
void runCommand(unsigned command);
// Runs a command while answering the window it opens, titled for `purpose`; false when none came.
bool runAnswering(unsigned command, const std::string& purpose, const std::function<void(HWND)>& action);

// Dialog actions for a DialogAnswerer: press a button, keeping the message text when asked; fill the
// file name of an open or save dialog, optionally pick a type (0-based), press OK.
std::function<void(HWND)> answerWith(int button, std::string* text = nullptr);
std::function<void(HWND)> chooseFile(const std::string& path, int typeIndex = -1);

// Title, status field 1, text, path and modified mark in one line, so that one comparison checks
// them all; documentAs gives the line for a document in the given state.
std::string documentNow();
std::string documentAs(const std::string& titleName, const std::string& status, const std::string& text,
                       const std::string& path, int marked);

class VelloroTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  std::string folder;
};

}  // namespace gui_test
