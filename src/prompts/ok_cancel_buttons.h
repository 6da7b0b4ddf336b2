#pragma once

class QDialog;
class QDialogButtonBox;

// The OK and Cancel buttons of `dialog`, named by their control identifiers
// ("ctl1", "ctl2") for the dialog's text table, accepting and rejecting it.
QDialogButtonBox* MakeOkCancelButtons(QDialog& dialog);
