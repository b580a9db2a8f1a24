// SPDX-License-Identifier: Apache-2.0
#include "tests/app/TestApplication.h"

#include <gtest/gtest.h>

#include <memory>

namespace sus::test {

namespace {

std::vector<QString> shownErrors;
std::unique_ptr<Application> theApplication;

class QtApplicationEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "app_tests";
        static char* argv[] = {name, nullptr};
        theApplication = std::make_unique<Application>(argc, argv);
        theApplication->setErrorBox([](const QString& text) { shownErrors.push_back(text); });
    }
    void TearDown() override { theApplication.reset(); }
};

[[maybe_unused]] ::testing::Environment* const environment =
    ::testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

} // namespace

Application& application()
{
    return *theApplication;
}

std::vector<QString> takeShownErrors()
{
    return std::exchange(shownErrors, {});
}

} // namespace sus::test
