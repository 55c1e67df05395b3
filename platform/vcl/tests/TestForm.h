#pragma once
// A form built from a resource written in the test, with its handlers
// recorded by name, shown on the offscreen desktop.

#include <gtest/gtest.h>

#include "vcl/testing/Responder.h"
#include "vcl/testing/User.h"

class TTestForm : public TForm {
public:
    explicit TTestForm(TComponent* AOwner, AnsiString Resource) : TForm(AOwner, std::move(Resource))
    {
        // Every handler name the tests use records itself with its sender.
        for (const char* Name : {"Click1", "Click2", "Click3", "Change1", "Change2", "DblClick1"})
            Methods().Add<TNotifyEvent>(Name, [this, Name](TObject* Sender) {
                auto* Component = dynamic_cast<TComponent*>(Sender);
                Calls.push_back(AnsiString(Name) + "(" + (Component ? Component->Name() : "?") + ")");
                if (OnCall)
                    OnCall(Name);
            });
        Methods().Add<TMouseEvent>("MouseDown1", [this](TObject*, TMouseButton Button, TShiftState, int, int) {
            Calls.push_back(Button == mbRight ? "MouseDown1(right)" : Button == mbLeft ? "MouseDown1(left)"
                                                                                      : "MouseDown1(middle)");
            if (OnCall)
                OnCall("MouseDown1");
        });
    }

    template <class T>
    T* Get(const AnsiString& AName) const
    {
        T* Found = FindComponentAs<T>(AName);
        EXPECT_NE(Found, nullptr) << AName;
        return Found;
    }

    std::vector<AnsiString> Calls;
    std::function<void(const AnsiString&)> OnCall;
};

// Builds and shows a form of the resource body (the components inside the
// form's braces).
inline TFormPtr<TTestForm> ShowTestForm(const AnsiString& Body, int Width = 400, int Height = 300)
{
    auto Form = NewForm<TTestForm>("TTestForm Form1 {\n Width = " + std::to_string(Width) +
                                   "; Height = " + std::to_string(Height) + "\n" + Body + "\n}");
    TUser::ShowForm(Form.get());
    return Form;
}
