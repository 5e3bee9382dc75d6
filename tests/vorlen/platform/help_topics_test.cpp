// The named help topics against the shipped book: each has a page, and the
// book maps no number that the program has no name for.
#include "vorlen/platform/help_topics.h"

#include "vorlen/platform/help.h"

#include "../support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>

namespace vorlen::help {
namespace {

TEST(HelpTopics, EveryNamedTopicAndMenuCommandHasAPage) {
    platform::SetHelpBook("");
    std::string book = platform::HelpBookPath();
    ASSERT_FALSE(book.empty());
    std::map<int, std::string> map = platform::ReadHelpTopicMap(test::ReadFile(book));

    std::set<int> named(std::begin(allTopics), std::end(allTopics));
    named.insert(std::begin(menuCommandTopics), std::end(menuCommandTopics));
    EXPECT_EQ(named.size(), std::size(allTopics) + std::size(menuCommandTopics)) << "a number named twice";
    for (int topic : named)
        EXPECT_FALSE(platform::HelpPageOf(topic).empty()) << "topic " << topic;
    for (const auto& [topic, page] : map)
        EXPECT_EQ(named.count(topic), 1u) << "topic " << topic << " (" << page << ") has no name";
}

TEST(HelpTopics, ContextHelpOfACommandOpensAPageAboutIt) {
    platform::SetHelpBook("");
    const std::pair<int, const char*> commands[] = {
        {24331, "file_commands.html"}, {21010, "file_information.html"},
        {19, "import_export.html"},    {24324, "edit_commands.html"},
        {24353, "find.html"},          {6, "event_properties.html"},
        {2, "title_screen.html"},      {5, "screens.html"},
        {2009, "about.html"},          {12, "contact.html"}};
    for (const auto& [command, page] : commands)
        EXPECT_EQ(std::filesystem::path(platform::HelpPageOf(command)).filename(), page) << command;
}

}  // namespace
}  // namespace vorlen::help
