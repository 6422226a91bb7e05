// Extended selection in a VList: the inner list box stays single-select (its
// one selection is the caret); which items are selected is kept in the
// control's vlistSelection and shown by marking the owner-drawn rows.
#pragma once

#include "framework/vlist.h"

namespace vlistPicking {

LRESULT message(VLBox* v, UINT message, WPARAM wParam, LPARAM lParam);

// A button press on the inner list box, before it moves its selection.
void click(VLBox* v, WPARAM keys, LPARAM point);
// Ctrl+A and Ctrl+Space, which select without moving: true when taken.
bool keyWithoutMove(VLBox* v, int key);
// After a key moved the caret (selItem): Shift extends, Ctrl only moves.
void movedByKey(VLBox* v);
// A move with the button held: the list box has moved its selection, and
// the items from the anchor to it are selected.
void dragged(VLBox* v, WPARAM keys);
// After the list box moved its selection by itself.
void movedByList(VLBox* v);
// After the program selected one item (or none).
void selectOnly(VLBox* v);
// A row about to be drawn: selected as the selection has it.
void mark(const VLBox* v, DRAWITEMSTRUCT* d);

}  // namespace vlistPicking
