// Loads an arbitrary file into TYIniFile, reads every value back through the
// typed reads, and checks that saving is stable: a file saved from a loaded
// file, loaded and saved again, gives the same bytes.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <unistd.h>

#include "YVclUtil/Tyinifile.h"
#include "rtl/MessageBox.h"

using namespace YVclUtil;

namespace {

std::string Folder;

std::string ReadAll(const std::string& Name)
{
    std::string Bytes;
    if (std::FILE* F = std::fopen(Name.c_str(), "rb")) {
        char Buffer[65536];
        size_t N;
        while ((N = std::fread(Buffer, 1, sizeof Buffer, F)) > 0)
            Bytes.append(Buffer, N);
        std::fclose(F);
    }
    return Bytes;
}

void WriteAll(const std::string& Name, const uint8_t* Data, size_t Size)
{
    int Fd = ::open(Name.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (Fd < 0)
        std::abort();
    while (Size > 0) {
        ssize_t N = ::write(Fd, Data, Size);
        if (N <= 0)
            std::abort();
        Data += N;
        Size -= static_cast<size_t>(N);
    }
    ::close(Fd);
}

// Loads From, reads everything back, and saves it all under To.
void LoadAndSave(const std::string& From, const std::string& To)
{
    TYIniFile Ini(From);
    for (int S = 0; S < Ini.Sections->Count; ++S) {
        const AnsiString Section = Ini.Sections->Strings(S);
        auto* Keys = static_cast<TYHashedStringList*>(Ini.Sections->Objects(S));
        for (int K = 0; K < Keys->Count; ++K) {
            const AnsiString Key = Keys->Strings(K);
            if (!Ini.ValueExists(Section, Key))
                std::abort();   // every loaded key has a value
            Ini.ReadString(Section, Key, "");
            Ini.ReadUnsigned(Section, Key, 0);
            Ini.ReadFloat(Section, Key, 0);
            Ini.ReadBool(Section, Key, false);
            try {
                Ini.ReadInteger(Section, Key, 0);
            } catch (const EConvertError&) {
            }
            try {
                Ini.ReadDateTime(Section, Key, 0);
            } catch (const EConvertError&) {
            }
        }
    }
    Ini.pw_FileName(To);
    if (!Ini.UpdateFile())
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // No error box may wait for anyone while fuzzing.
    SetMessageBoxHook([](const TMessageBoxRequest&) { return IDOK; });
    const char* Shm = "/dev/shm";
    std::string Template = std::string(::access(Shm, W_OK) == 0 ? Shm : "/tmp") + "/ini-fuzz-XXXXXX";
    if (!mkdtemp(Template.data()))
        std::abort();
    Folder = Template;
    std::atexit([] { std::system(("rm -rf '" + Folder + "'").c_str()); });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    const std::string In = Folder + "/in.ini", First = Folder + "/first.ini", Second = Folder + "/second.ini",
                      Third = Folder + "/third.ini";
    WriteAll(In, Data, Size);
    LoadAndSave(In, First);
    // The first save may still drop lines that the dialect reads differently
    // once they are written back (an indented "#key"); from then on the
    // bytes must stay as they are.
    LoadAndSave(First, Second);
    LoadAndSave(Second, Third);
    if (ReadAll(Second) != ReadAll(Third))
        std::abort();
    return 0;
}
