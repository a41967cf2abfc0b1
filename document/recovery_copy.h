#pragma once
// The recovery copy of unsaved text: written to the user's local application data while the text
// has unsaved changes, cleared once the text is safe, and offered at the next start when the
// program that wrote it no longer runs. Everything runs on the one thread, between two events.
namespace document {

// The event loop, after each event: notes the user's input and writes the copy when it is due.
void recoveryAfterEvent(bool userInput);
// How long the event loop may wait for the next message before a copy falls due; INFINITE for none.
unsigned long recoveryWaitMillis();
// The window lost activation or was minimised: a copy of unsaved changes after this event.
void requestRecoveryCopy();
// Printing starts: a copy of unsaved changes now.
void writeRecoveryCopyNow();
// The text is saved or dropped: the copy goes.
void clearRecoveryCopy();

// At start-up: asks about every copy whose program no longer runs. True when one was restored into
// the document.
bool offerRecoveryCopies();

}  // namespace document
