// orlo.ini: each key's message and effect, number formats, bad content, empty and missing
// files, and the place of its messages in the start-up output.
#include "app/settings.h"

#include <gtest/gtest.h>

#include "support/engine_runner.h"
#include "support/search_run.h"

namespace {

struct SettingsRead {
    int returned;
    std::string output;
    EngineSettings read;
};

SettingsRead read_text(const std::string& name, const std::string* text) {
    const std::string dir = make_scratch_dir("settings_" + name);
    if (text) write_file(dir, "orlo.ini", *text);
    const EngineSettings saved = settings;
    settings = EngineSettings{};
    SettingsRead result{};
    {
        CapturedOutput capture;
        result.returned = read_settings_file((dir + "/orlo.ini").c_str());
        result.output = capture.text();
    }
    result.read = settings;
    settings = saved;
    return result;
}

TEST(Settings, KeysFormatsJunkEmptyAndMissingFiles) {
    const std::string text =
        "resign 1\nbook 0\ndrawclaim 2\nponder 3\neasymove 1\ncontempt -25\nresign 7\n"
        "contempt 0x10 easymove 010\nColour 5 Book 1\nbook x\nponder 99999999999\n" +
        std::string(5000, 'k') + " 3\n\xff\x01 \t\r\ndrawclaim -0x7\n";
    SettingsRead r = read_text("keys", &text);
    EXPECT_EQ(r.returned, 1);
    EXPECT_EQ(r.output,
              "\nresign set to 1\nbook set to 0\ndrawclaim set to 2\nponder set to 3"
              "\neasymove set to 1\ncontempt set to -25\nresign set to 7\ncontempt set to 16"
              "\neasymove set to 8\nponder set to 2147483647\ndrawclaim set to -7"
              "\nread settings!\n");
    EXPECT_EQ(r.read.hash, 32);   // default once the file exists
    EXPECT_EQ(r.read.book, 0);    // "book x" has no number: nothing set
    EXPECT_EQ(r.read.resign, 7);  // the last value wins
    EXPECT_EQ(r.read.drawclaim, -7);
    EXPECT_EQ(r.read.ponder, 2147483647);
    EXPECT_EQ(r.read.easymove, 8);
    EXPECT_EQ(r.read.contempt, 16);

    const std::string empty;
    r = read_text("empty", &empty);
    EXPECT_EQ(r.output, "\nread settings!\n");
    EXPECT_EQ(r.read.hash, 32);
    EXPECT_EQ(r.read.book, 1);
    EXPECT_EQ(r.read.resign + r.read.ponder + r.read.drawclaim + r.read.easymove + r.read.contempt,
              0);

    r = read_text("missing", nullptr);
    EXPECT_EQ(r.returned, 0);
    EXPECT_EQ(r.output, "");
    EXPECT_EQ(r.read.book + r.read.hash, 0);
}

TEST(Settings, MessagesAppearDuringStartUpAndHashResizesTheTables) {
    const std::string dir = make_scratch_dir("settings_startup");
    write_file(dir, "orlo.ini", "hash 64\nbook 0\n");
    std::string output = run_engine(dir, "", nullptr);
    EXPECT_EQ(output.substr(0, output.find("done!") + 5),
              "\norlo 0.953\ninitializing...  \nhash set to 64 MB\nbook set to 0"
              "\nread settings!\ndone!");
    EXPECT_NE(read_file(dir + "/orlo.txt").find("\nmain table: 2097152 entries"),
              std::string::npos);
    write_file(dir, "orlo.ini", "hash 0\n");
    output = run_engine(dir, "", nullptr);
    EXPECT_NE(output.find("\nhash set to 1 MB\nread settings!\ndone!"), std::string::npos);
}

}  // namespace
