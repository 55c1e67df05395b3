#include "vcl/ComponentRegistry.h"

#include <map>
#include <mutex>

#include "rtl/Exceptions.h"
#include "rtl/Timer.h"
#include "vcl/Vcl.h"

namespace {

// The window layer's own classes are entered when the registry is first
// used, so none of them depends on a static object being linked in.
class TRegistry {
public:
    TRegistry()
    {
        Add<TBevel>("TBevel");
        Add<TCCalendar>("TCCalendar");
        Add<TCheckBox>("TCheckBox");
        Add<TComboBox>("TComboBox");
        Add<TDirectoryListBox>("TDirectoryListBox");
        Add<TDriveComboBox>("TDriveComboBox");
        Add<TEdit>("TEdit");
        Add<TFileListBox>("TFileListBox");
        Add<TGroupBox>("TGroupBox");
        Add<TImage>("TImage");
        Add<TLabel>("TLabel");
        Add<TListBox>("TListBox");
        Add<TMainMenu>("TMainMenu");
        Add<TMenuItem>("TMenuItem");
        Add<TOpenDialog>("TOpenDialog");
        Add<TPageControl>("TPageControl");
        Add<TPanel>("TPanel");
        Add<TRadioButton>("TRadioButton");
        Add<TRichEdit>("TRichEdit");
        Add<TSaveDialog>("TSaveDialog");
        Add<TSpeedButton>("TSpeedButton");
        Add<TStatusBar>("TStatusBar");
        Add<TStringGrid>("TStringGrid");
        Add<TTabSheet>("TTabSheet");
        Add<TTimer>("TTimer");
    }

    void Register(const AnsiString& Name, TComponentFactory Factory)
    {
        std::lock_guard<std::mutex> Guard(Lock);
        Factories[Name] = std::move(Factory);
    }

    TComponentFactory Find(const AnsiString& Name)
    {
        std::lock_guard<std::mutex> Guard(Lock);
        auto Found = Factories.find(Name);
        return Found == Factories.end() ? TComponentFactory() : Found->second;
    }

private:
    template <class T>
    void Add(const char* Name)
    {
        Factories[Name] = [](TComponent* Owner) -> TComponent* { return new T(Owner); };
    }

    std::mutex Lock;
    std::map<AnsiString, TComponentFactory> Factories;
};

TRegistry& Registry()
{
    static TRegistry Instance;
    return Instance;
}

} // namespace

void RegisterComponentClassFactory(const AnsiString& ClassName, TComponentFactory Factory)
{
    Registry().Register(ClassName, std::move(Factory));
}

bool ComponentClassRegistered(const AnsiString& ClassName)
{
    return static_cast<bool>(Registry().Find(ClassName));
}

TComponent* CreateComponentOfClass(const AnsiString& ClassName, TComponent* Owner)
{
    TComponentFactory Factory = Registry().Find(ClassName);
    if (!Factory)
        throw EReadError("Class " + ClassName + " not found");
    return Factory(Owner);
}
