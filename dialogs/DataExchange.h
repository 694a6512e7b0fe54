#pragma once
// The exchange of integer fields with edits, with the range checks that keep a dialog open on a
// bad value.

class MessageService;
class QLineEdit;

// Reads `edit` into `value` when it holds an integer in min..max (both inclusive). Otherwise tells
// the user what is wanted, gives the edit the focus with its text selected and leaves `value` as
// it was.
bool ReadIntEdit(QLineEdit& edit, int& value, int min, int max, MessageService& messages);
void WriteIntEdit(QLineEdit& edit, int value);
