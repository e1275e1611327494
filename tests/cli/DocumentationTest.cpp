// The man page and completion writers over small command trees that use what the real tree may
// grow into: option groups, hidden options and commands, fixed value sets, three levels of
// commands and descriptions that roff would misread.
#include <gtest/gtest.h>

#include <iostream>
#include <sstream>

#include "cli/Documentation.h"

namespace zorvel::cli {
namespace {

struct Tree {
  CLI::App app{"tool: test tree"};
  std::string out, place, kind;
  bool quiet = false;
  Tree() {
    app.require_subcommand(1);
    AddDocumentationOptions(app, "tool");
    auto* survey = app.add_subcommand("survey", "Survey commands");
    auto* add = survey->add_subcommand("add", "Add a site");
    auto* point = add->add_subcommand("point", "Add one point");
    point->add_option("--out", out, "Where to write")->required();
    auto* group = add->add_option_group("Place", "Where the site is");
    group->add_option("--place", place, "Name of the place");
    add->add_option("--kind", kind, ".starts with a dot, has a \\ and -dashes")
        ->check(CLI::IsMember({"pond", "wood"}));
    add->add_flag("--secret", quiet, "Not for users")->group("");
    auto* hidden = app.add_subcommand("internal", "Not for users");
    hidden->group("");
    hidden->add_flag("--quiet", quiet, "Say less");
  }
};

std::string Section(const std::string& page, const std::string& title) {
  const auto start = page.find(".SS \"" + title + "\"\n");
  if (start == std::string::npos) return {};
  const auto end = page.find(".SS ", start + 1);
  return page.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

TEST(ManPage, EveryVisibleCommandHasASectionAndHiddenOnesNone) {
  Tree t;
  const std::string page = ManPageSections(t.app, "tool");
  EXPECT_NE(Section(page, "tool survey"), "");
  EXPECT_NE(Section(page, "tool survey add"), "");
  const std::string point = Section(page, "tool survey add point");
  ASSERT_NE(point, "");
  EXPECT_NE(point.find("\\fB\\-\\-out\\fR \\fITEXT\\fR\nWhere to write (required)"), std::string::npos)
      << point;
  EXPECT_EQ(page.find("internal"), std::string::npos);
  EXPECT_EQ(page.find("secret"), std::string::npos);
  EXPECT_EQ(page.find("help\\-man"), std::string::npos);
  // A parent lists its subcommands and says one must follow.
  const std::string survey = Section(page, "tool survey");
  EXPECT_NE(survey.find("Commands: add."), std::string::npos) << survey;
  EXPECT_NE(survey.find("\\fICOMMAND\\fR"), std::string::npos) << survey;
}

TEST(ManPage, OptionGroupsBelongToTheirCommand) {
  Tree t;
  const std::string add = Section(ManPageSections(t.app, "tool"), "tool survey add");
  EXPECT_NE(add.find("\\-\\-place"), std::string::npos) << add;
  const auto* addApp = t.app.get_subcommand("survey")->get_subcommand("add");
  bool found = false;
  for (const CLI::Option* o : VisibleOptions(*addApp, false, false)) found |= o->get_name() == "--place";
  EXPECT_TRUE(found);
}

TEST(ManPage, DescriptionsCannotBreakTheRoff) {
  Tree t;
  const std::string add = Section(ManPageSections(t.app, "tool"), "tool survey add");
  // A leading dot would be a roff request, a backslash an escape; word-leading dashes are minus.
  EXPECT_NE(add.find("\n\\&.starts with a dot, has a \\e and \\-dashes; one of pond, wood\n"),
            std::string::npos)
      << add;
}

TEST(ManPage, FixedValueSetsAreReadFromTheValidator) {
  Tree t;
  const auto* add = t.app.get_subcommand("survey")->get_subcommand("add");
  EXPECT_EQ(AllowedValues(*add->get_option("--kind")), (std::vector<std::string>{"pond", "wood"}));
  EXPECT_TRUE(AllowedValues(*add->get_option("--place")).empty());
  EXPECT_TRUE(TakesValue(*add->get_option("--kind")));
  EXPECT_FALSE(TakesValue(*add->get_option("--secret")));
}

TEST(Completion, WalksEveryLevelAndOffersFixedValues) {
  Tree t;
  const std::string script = BashCompletion(t.app, "tool");
  EXPECT_NE(script.find("'survey add|point'"), std::string::npos);
  EXPECT_NE(script.find("'survey add') commands='point' options='-h --help --kind --place'"),
            std::string::npos)
      << script;
  EXPECT_NE(script.find("'survey add|--kind') COMPREPLY=($(compgen -W 'pond wood'"), std::string::npos);
  EXPECT_EQ(script.find("internal"), std::string::npos);
  EXPECT_EQ(script.find("--secret"), std::string::npos);
  EXPECT_NE(script.find("complete -o default -F _tool tool"), std::string::npos);
}

// The hidden options print the whole tree, even with a subcommand required and none given, and
// stay out of --help.
TEST(DocumentationOptions, PrintTheTextsAndExitCleanly) {
  for (const std::string flag : {"--help-man", "--help-completion"}) {
    Tree t;
    std::ostringstream captured;
    auto* old = std::cout.rdbuf(captured.rdbuf());
    const char* argv[] = {"tool", flag.c_str()};
    int rc = -1;
    try {
      t.app.parse(2, argv);
    } catch (const CLI::ParseError& e) {
      rc = t.app.exit(e);
    }
    std::cout.rdbuf(old);
    EXPECT_EQ(rc, 0) << flag;
    const std::string want =
        flag == "--help-man" ? ManPageSections(t.app, "tool") : BashCompletion(t.app, "tool");
    EXPECT_EQ(captured.str(), want) << flag;
    EXPECT_EQ(t.app.help().find(flag), std::string::npos) << flag;
  }
}

}  // namespace
}  // namespace zorvel::cli
