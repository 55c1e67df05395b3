#pragma once
// Saves a picture of a form's window as a PNG file.

#include "vcl/Form.h"

// Shows the form first when it is hidden; false when the file could not be
// written.
bool SaveScreenshot(TForm* Form, const AnsiString& FileName);
