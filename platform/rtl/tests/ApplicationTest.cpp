// What a program's entry shows of an exception that escaped its main form
// or its loop.

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <string>

#include "rtl/Application.h"

namespace {

struct TEscapedCase {
    const char* Name;
    std::exception_ptr Error;
    const char* Shown;
};

void PrintTo(const TEscapedCase& Case, std::ostream* Out)
{
    *Out << Case.Name;
}

class AsExceptionTest : public ::testing::TestWithParam<TEscapedCase> {};

TEST_P(AsExceptionTest, KeepsOnlyTheMessageOfTheExceptionFamily)
{
    EXPECT_EQ(AsException(GetParam().Error).Message, GetParam().Shown);
}

INSTANTIATE_TEST_SUITE_P(
    Escaped, AsExceptionTest,
    ::testing::Values(
        TEscapedCase{"Exception", std::make_exception_ptr(Exception("Err: Constructor !!!")), "Err: Constructor !!!"},
        TEscapedCase{"DerivedException", std::make_exception_ptr(EReadError("Property Nothing does not exist")),
                     "Property Nothing does not exist"},
        TEscapedCase{"StandardException", std::make_exception_ptr(std::runtime_error("plain")), ""},
        TEscapedCase{"OutOfMemory", std::make_exception_ptr(std::bad_alloc()), ""},
        TEscapedCase{"NoExceptionClass", std::make_exception_ptr(42), ""},
        TEscapedCase{"Nothing", std::exception_ptr(), ""}),
    [](const auto& Info) { return std::string(Info.param.Name); });

} // namespace
