// The dispatcher's decoding of device commands, and the favourite cycle.
#include "app/DeviceCommand.h"
#include "app/Favorites.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace {

using A = DeviceAction;

struct Command {
    int wParam;
    int lParam;
};

std::vector<A> Decode(CDeviceCommandDecoder& decoder, const std::vector<Command>& commands,
                   std::vector<int>* arguments = nullptr)
{
    std::vector<A> actions;
    for (const Command& command : commands) {
        auto decoded = decoder.Decode(command.wParam, command.lParam);
        for (size_t i = 0; i < decoded.count; ++i) {
            actions.push_back(decoded.steps[i].action);
            if (arguments != nullptr)
                arguments->push_back(decoded.steps[i].argument);
        }
    }
    return actions;
}

TEST(DeviceCommandDecoder, SequencesOfCommands)
{
    struct Case {
        const char* name;
        std::vector<Command> commands;
        std::vector<A> expected;
    };
    const Case cases[] = {
        {"held chord starts once and its release stops once",
         {{0x20, 5}, {0x20, 5}, {0x20, 5}, {0, 0}},
         {A::SelectFunction, A::StartFunction, A::StopFunction}},
        {"a second function chord without a release is ignored",
         {{0x20, 3}, {0x20, 5}, {0, 0}},
         {A::SelectFunction, A::StartFunction, A::StopFunction}},
        {"keyboard chord launches once and its release stops nothing",
         {{0x20, 7}, {0, 0}},
         {A::LaunchKeyboard}},
        {"black screen toggles on each press",
         {{0x20, 8}, {0, 0}, {0x20, 8}, {0, 0}},
         {A::ToggleBlackScreen, A::ToggleBlackScreen}},
        {"special pairs are never filtered as repeats",
         {{-1, -1}, {-1, -1}, {-2, -2}, {-1, 0}, {-1, 0}},
         {A::SendCommandReport, A::CloseTools, A::SendCommandReport, A::CloseTools,
          A::AcknowledgeAlarms, A::UndoOrClose, A::UndoOrClose}},
        {"0x60 is ignored but remembered, so a second 0x60 is ignored too",
         {{0x60, 0}, {0x60, 0}},
         {}},
        {"function and favourite show the emblem",
         {{0xA0, 0}},
         {A::ShowIndicatorEmblem}},
        {"favourite is level-triggered on every command that reaches it",
         {{0x80, 0}, {0x81, 0}},
         {A::FavoriteStep, A::BeginMoving, A::FavoriteStep}},
        {"spare button suppresses the keyboard button",
         {{0x44, 0}, {0x40, 0}},
         {A::LaunchKeyboard}},
        {"keyboard and favourite together close the tools",
         {{0xC0, 0}},
         {A::CloseTools}},
        {"back acts on release, after the move button of the same command",
         {{0x02, 0}, {0x01, 0}, {0, 0}},
         {A::BeginMoving, A::Back, A::EndMoving}},
        {"page buttons act on press",
         {{0x08, 0}, {0x10, 0}, {0, 0}},
         {A::NextPage, A::PreviousPage}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CDeviceCommandDecoder decoder;
        EXPECT_EQ(c.expected, Decode(decoder, c.commands));
    }
}

TEST(DeviceCommandDecoder, ChordDigitsSelectFunctionIndexes)
{
    CDeviceCommandDecoder decoder;
    std::vector<int> arguments;
    for (int digit = 1; digit <= 6; ++digit) {
        arguments.clear();
        Decode(decoder, {{0x20, digit}, {0, 0}}, &arguments);
        ASSERT_FALSE(arguments.empty());
        EXPECT_EQ(digit - 1, arguments.front());
    }
}

TEST(Favorites, CycleThroughTheStoredFavourites)
{
    std::map<int, int> stored = {{1, 4}, {2, 0}, {3, 2}};
    auto read = [&stored](int n, int defaultValue) {
        auto it = stored.find(n);
        return it == stored.end() ? defaultValue : it->second;
    };
    // From index 0 (the first press only shows it): 2, 4, 0, 2.
    int current = 0;
    std::vector<int> seen;
    for (int press = 0; press < 4; ++press) {
        current = NextFavorite(current, 3, read);
        seen.push_back(current);
    }
    EXPECT_EQ((std::vector<int>{2, 4, 0, 2}), seen);

    // A current function that is not a favourite starts the list again.
    EXPECT_EQ(4, NextFavorite(5, 3, read));
}

TEST(Favorites, WithoutFavouritesEveryFunctionInTurn)
{
    auto none = [](int, int defaultValue) { return defaultValue; };
    int current = 0;
    std::vector<int> seen;
    for (int press = 0; press < 7; ++press) {
        current = NextFavorite(current, 0, none);
        seen.push_back(current);
    }
    EXPECT_EQ((std::vector<int>{1, 2, 3, 4, 5, 0, 1}), seen);
}

TEST(Favorites, HugeCountReadsABoundedNumberOfValues)
{
    int reads = 0;
    auto counting = [&reads](int, int defaultValue) {
        ++reads;
        return defaultValue;
    };
    EXPECT_EQ(0, NextFavorite(3, 0x7FFFFFFF, counting));
    EXPECT_LE(reads, 100);
}

}  // namespace
