#pragma once
// A temporary folder for INI file tests, a recorder of the error boxes, and
// helpers that read and write whole files and show an object's content.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>

#include "MessageBoxRecorder.h"
#include "YVclUtil/Tyinifile.h"

struct IniFileFixture : ::testing::Test {
    std::string Dir;
    TMessageBoxRecorder Boxes;

    void SetUp() override
    {
        char Template[] = "/tmp/yinifile-XXXXXX";
        ASSERT_NE(mkdtemp(Template), nullptr);
        Dir = Template;
    }
    void TearDown() override { std::system(("chmod -R u+w '" + Dir + "' 2>/dev/null; rm -rf '" + Dir + "'").c_str()); }

    std::string Path(const std::string& Name) const { return Dir + "/" + Name; }

    static void WriteFile(const std::string& Name, const std::string& Bytes)
    {
        std::ofstream(Name, std::ios::binary) << Bytes;
    }
    static std::string ReadFile(const std::string& Name)
    {
        std::ifstream In(Name, std::ios::binary);
        std::ostringstream Bytes;
        Bytes << In.rdbuf();
        return Bytes.str();
    }
    static bool Exists(const std::string& Name)
    {
        struct stat St;
        return ::stat(Name.c_str(), &St) == 0;
    }

    // "[section]" lines, each followed by its "key=value" lines ("key" alone
    // for a key without a value), joined by '\n'.
    static std::string Dump(YVclUtil::TYIniFile& Ini)
    {
        std::string Out;
        for (int S = 0; S < Ini.Sections->Count; ++S) {
            Out += "[" + Ini.Sections->Strings(S) + "]\n";
            auto* Keys = static_cast<YVclUtil::TYHashedStringList*>(Ini.Sections->Objects(S));
            for (int K = 0; K < Keys->Count; ++K) {
                std::string Value;
                Out += Keys->Strings(K);
                if (Ini.IsValueExisted(Ini.Sections->Strings(S), Keys->Strings(K), Value))
                    Out += "=" + Value;
                Out += "\n";
            }
        }
        return Out;
    }
};
