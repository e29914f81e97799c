#pragma once

// The open-puzzle sheet as the player works it: opened from the Game menu or
// by its key, a number typed into its field, and Open pressed by a click on
// the button, by Return or by the keypad's Enter.

class OpenPuzzleWindow;
class PlayWindow;
class QString;

namespace SheetInput {

enum class OpenBy { Menu, Key };
enum class ConfirmBy { Return, Click, Enter };

// The sheet on show, opened the given way when none is.
OpenPuzzleWindow& Open(const PlayWindow& play, OpenBy how);

// Types the text into the sheet's emptied field key by key (text that no key
// of the test keyboard makes is pasted) and presses Open.
void TypeAndOpen(OpenPuzzleWindow& sheet, const QString& text, ConfirmBy how);

} // namespace SheetInput
