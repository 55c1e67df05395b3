// The schedule editor's program entry: starts the application, creates the
// main window from its form resource and runs the loop until it closes.

#include <exception>

#include "V7430_p8_src.h"
#include "rtl/Application.h"
#include "vcl/GraphicalSession.h"

int main()
{
    if (!CheckGraphicalSession())
        return 1;
    try {
        Application->Initialize();
        Application->CreateForm(Form1);
        Application->Run();
    } catch (...) {
        const Exception Escaped = AsException(std::current_exception());
        Application->ShowException(&Escaped);
    }
    return 0;
}
