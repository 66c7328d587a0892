#include "app/bolt_app.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include <gtest/gtest.h>

#include "app/command_line.h"

namespace boltgen {
namespace {

namespace fs = std::filesystem;

struct Message {
  MessageKind kind;
  std::string text;
};

class FakePlatform : public Platform {
 public:
  void Repaint(const Controls&) override {}
  void ProcessEvents() override {}
  void ShowMessage(MessageKind kind, std::string_view text) override {
    messages.push_back({kind, std::string(text)});
  }
  void Sleep(int milliseconds) override { sleeps.push_back(milliseconds); }
  void OpenDocument(const std::string& path) override { opened.push_back(path); }
  void EndProgram(int status) override { ends.push_back(status); }
  void ShowWindow() override { ++windows_shown; }

  std::vector<Message> messages;
  std::vector<int> sleeps;
  std::vector<std::string> opened;
  std::vector<int> ends;
  int windows_shown = 0;
};

// Ten sizes: the eighth is the default, the ninth metric, the tenth has no pitch.
constexpr const char* kSizeTable =
    "; test table\r\n"
    "[Inch 1/4]\r\ndianom=0.25\r\npitch0=0.035714 UNF\r\npitch1=0.05 UNC\r\n"
    "[Inch 5/16]\r\ndianom=0.3125\r\npitch0=0.041667 UNF\r\n"
    "[Inch 3/8]\r\ndianom=0.375\r\npitch0=0.041667 UNF\r\n"
    "[Inch 7/16]\r\ndianom=0.4375\r\npitch0=0.05 UNF\r\n"
    "[Inch 1/2]\r\ndianom=0.5\r\npitch0=0.05 UNF\r\n"
    "[Inch 9/16]\r\ndianom=0.5625\r\npitch0=0.055556 UNF\r\n"
    "[Inch 5/8]\r\ndianom=0.625\r\npitch0=0.055556 UNF\r\n"
    "[ANSI Inch 3/4]\r\nDiaNom = 0.75\r\npitch0=0.0625 UNF\r\npitch1=0.076923 UNC\r\n"
    "[ISO M12]\r\ndianom=12\r\npitch0=1.75\r\npitch1=1.25\r\n"
    "[Bare]\r\ndianom=1\r\n";

class BoltAppTest : public testing::Test {
 protected:
  BoltAppTest() {
    char pattern[] = "/tmp/boltgen_app_XXXXXX";
    dir_ = mkdtemp(pattern);
    Write("boltgen.ini", kSizeTable);
  }
  ~BoltAppTest() override { fs::remove_all(dir_); }

  void Write(const std::string& name, std::string_view content) {
    std::ofstream(dir_ / name, std::ios::binary) << content;
  }

  // Starts the program as the window does, with `args` as its command line,
  // on a fresh platform.
  BoltApp& Start(std::string args = "", bool headless = false) {
    platform_ = FakePlatform{};
    AppEnvironment environment;
    environment.program_path = (dir_ / "bin" / program_name_).string();
    environment.raw_args = std::move(args);
    environment.working_dir = dir_.string();
    environment.today = [] { return Date{6, 12, 2026}; };
    environment.headless = headless;
    app_ = std::make_unique<BoltApp>(platform_, environment);
    app_->Form_Load();
    return *app_;
  }

  const Controls& controls() const { return app_->controls; }
  // The check boxes in window order: No Threads, Washer Face, Head Radius,
  // Sharp Threads, Nuts, Blocks; 1 for checked.
  std::string Checks() const {
    const Controls& c = controls();
    std::string checks;
    for (const CheckBox* box : {&c.Chk_No_Threads, &c.Chk_WF, &c.Chk_Rad_HEAD,
                                &c.Chk_Sharp_Threads, &c.Chk_Nuts, &c.Chk_WBlock}) {
      checks += box->checked ? '1' : '0';
    }
    return checks;
  }
  bool Messaged(std::string_view part) const {
    for (const Message& message : platform_.messages) {
      if (message.text.find(part) != std::string::npos) return true;
    }
    return false;
  }

  fs::path dir_;
  std::string program_name_ = "boltgen";
  FakePlatform platform_;
  std::unique_ptr<BoltApp> app_;
};

TEST_F(BoltAppTest, StartUpWithoutArgumentsKeepsTheWindowDefaults) {
  BoltApp& app = Start();
  EXPECT_EQ(app.ExeName, "boltgen");
  EXPECT_FALSE(app.Loading);
  EXPECT_FALSE(app.exit_status());
  EXPECT_TRUE(platform_.messages.empty());
  EXPECT_EQ(controls().Status, "Ready");
  EXPECT_EQ(controls().CMB_Segments.text, "24");
  EXPECT_EQ(controls().TXT_Nom_Length.text, "3.000");
  EXPECT_EQ(Checks(), "011100");
  EXPECT_FALSE(controls().Chk_Sharp_Threads.enabled);
  EXPECT_TRUE(controls().Chk_Nuts.enabled);
  EXPECT_EQ(controls().Cmb_Size.selected, 7);
  EXPECT_EQ(controls().Cmb_Pitch.items, (std::vector<std::string>{"0.0625 UNF", "0.076923 UNC"}));
  EXPECT_EQ(controls().Cmb_Pitch.selected, 0);
  EXPECT_EQ(controls().TXT_File.text, "IN_07500_HCSW-UNF_03000-3D(024)");

  program_name_ = "boltgen.v1.bin";  // up to its first point names the size table
  EXPECT_EQ(Start().ExeName, "boltgen");
  EXPECT_FALSE(app_->exit_status());
}

TEST_F(BoltAppTest, SizeTableMissingOrWithoutSizesEndsBeforeTheCommandLine) {
  fs::remove(dir_ / "boltgen.ini");
  EXPECT_EQ(Start("?").exit_status(), kExitFailed);
  EXPECT_EQ(platform_.ends, std::vector<int>{kExitFailed});
  ASSERT_EQ(platform_.messages.size(), 1u);  // no help message
  EXPECT_EQ(platform_.messages[0].kind, MessageKind::kError);
  EXPECT_TRUE(Messaged("boltgen.ini"));

  Write("boltgen.ini", "; nothing\r\nkey=1\r\n");
  EXPECT_EQ(Start().exit_status(), kExitFailed);
  EXPECT_TRUE(Messaged("lists no size"));
  EXPECT_FALSE(Messaged("CR LF"));
  // Line feeds alone make the whole file one line, with or without a section.
  for (const char* content : {"; saved with line feeds\n[Inch 1/4]\ndianom=0.25\n",
                              "[Inch 1/4]\ndianom=0.25\npitch0=0.05\n"}) {
    Write("boltgen.ini", content);
    EXPECT_EQ(Start().exit_status(), kExitFailed);
    EXPECT_TRUE(Messaged("CR LF"));
  }
}

TEST_F(BoltAppTest, LeavingTheLengthBoxChecksItOnce) {
  BoltApp& app = Start();
  const std::pair<const char*, const char*> accepted[] = {
      {"2.5", "2.500"}, {"12.3456", "12.346"}, {"2.5in", "2.500"}, {"", "3.000"},
      {"   ", "3.000"}, {" 1e1", "10.000"},    {"1234.5", "1234.500"}};
  for (const auto& [typed, shown] : accepted) {
    app.controls.TXT_Nom_Length.text = typed;
    app.TXT_Nom_Length_Validate();
    EXPECT_EQ(controls().TXT_Nom_Length.text, shown) << typed;
    EXPECT_EQ(controls().TXT_Nom_Length.tag, shown) << typed;
  }
  EXPECT_EQ(controls().TXT_File.text, "IN_07500_HCSW-UNF_34500-3D(024)");
  // Leaving the box again without a change does not run the check again.
  app.controls.TXT_File.text = "edited";
  app.TXT_Nom_Length_Validate();
  EXPECT_EQ(controls().TXT_File.text, "edited");
  EXPECT_TRUE(platform_.messages.empty());

  for (const char* typed : {"3/4", "-2", "0", "abc", "2-", "1e999", "0.0001e-400"}) {
    platform_.messages.clear();
    app.controls.TXT_Nom_Length.text = typed;
    app.TXT_Nom_Length_Validate();
    EXPECT_EQ(controls().TXT_Nom_Length.text, typed);
    EXPECT_EQ(controls().TXT_File.text, "edited") << typed;
    ASSERT_EQ(platform_.messages.size(), 1u) << typed;
    EXPECT_EQ(platform_.messages[0].text, "Please use decimal numbers for length.");
  }
  EXPECT_FALSE(app.exit_status());
}

TEST_F(BoltAppTest, NutsOnlyWithAWasherFace) {
  BoltApp& app = Start();
  app.SetCheck(app.controls.Chk_Nuts, true);
  app.SetCheck(app.controls.Chk_WF, false);
  EXPECT_FALSE(controls().Chk_Nuts.checked);
  EXPECT_FALSE(controls().Chk_Nuts.enabled);
  EXPECT_EQ(controls().TXT_File.text, "IN_07500_HCSW-UNF_03000-3D(024)");  // not recomposed
  // Leaving a checked nuts box checks the washer face again.
  app.controls.Chk_Nuts.checked = true;
  app.Chk_Nuts_Validate();
  EXPECT_TRUE(controls().Chk_WF.checked);
  EXPECT_TRUE(controls().Chk_Nuts.enabled);
}

TEST_F(BoltAppTest, HelpOnF1FromTheWorkingFolder) {
  BoltApp& app = Start();
  app.Form_KeyDown(112);  // no document: nothing happens, nothing is said
  EXPECT_TRUE(platform_.opened.empty() && platform_.messages.empty());
  Write("BoltGen.PDF", "%PDF");
  app.Form_KeyDown(113);
  EXPECT_TRUE(platform_.opened.empty());
  app.Form_KeyDown(112);
  ASSERT_EQ(platform_.opened.size(), 1u);
  EXPECT_EQ(fs::path(platform_.opened[0]).filename(), "BoltGen.PDF");
}

TEST_F(BoltAppTest, PitchLookup) {
  BoltApp& app = Start();
  app.SelectPitch(1);
  EXPECT_EQ(controls().TXT_File.text, "IN_07500_HCSW-UNC_03000-3D(024)");
  // Leaving the size box looks the pitches up again and picks the first.
  app.Cmb_Size_Validate();
  EXPECT_EQ(controls().Cmb_Pitch.selected, 0);
  EXPECT_EQ(controls().TXT_File.text, "IN_07500_HCSW-UNF_03000-3D(024)");
  // A size without pitches, and a typed size that names no section, leave
  // the pitch box empty with nothing selected.
  app.SelectSize(9);
  EXPECT_TRUE(controls().Cmb_Pitch.items.empty());
  EXPECT_EQ(controls().Cmb_Pitch.selected, -1);
  app.SelectSize(7);
  app.controls.Cmb_Size.text = "[ANSI Inch 3/";
  app.Cmb_Size_Change();
  EXPECT_TRUE(controls().Cmb_Pitch.items.empty());
  EXPECT_EQ(controls().Cmb_Pitch.selected, -1);
  EXPECT_EQ(controls().TXT_File.text, "IN__HCSW-000_03000-3D(024)");

  // Selecting an entry that does not exist changes nothing.
  app.SelectSize(10);
  app.SelectSegments(-1);
  EXPECT_EQ(controls().Cmb_Size.text, "[ANSI Inch 3/");
  EXPECT_EQ(controls().CMB_Segments.text, "24");
}

TEST_F(BoltAppTest, FileNameAloneAppliesTheSwitchDefaults) {
  BoltApp& app = Start("/F:bolt.scr");
  EXPECT_FALSE(app.exit_status());
  EXPECT_EQ(controls().Cmb_Size.selected, 7);
  EXPECT_EQ(controls().Cmb_Pitch.selected, 0);
  EXPECT_EQ(controls().TXT_Nom_Length.text, "3.0000");
  EXPECT_EQ(controls().CMB_Segments.text, "36");
  EXPECT_EQ(Checks(), "111100");
  EXPECT_EQ(controls().TXT_File.text, "bolt.scr");
  EXPECT_TRUE(platform_.sleeps.empty());
  EXPECT_EQ(platform_.windows_shown, 0);
}

TEST_F(BoltAppTest, SwitchesRunTheHandlersInTheirOrder) {
  Start("/N:1 /W:0 /D:2.5 /t:0 /L:2 /A:0 /R:0 /B:1");
  // Nuts check the washer face after /W:0 cleared it; /t: is no switch.
  EXPECT_EQ(Checks(), "110011");
  EXPECT_TRUE(controls().Chk_Nuts.enabled);
  EXPECT_EQ(controls().Cmb_Size.selected, 2);
  EXPECT_EQ(controls().TXT_Nom_Length.text, "2.0000");
  EXPECT_EQ(controls().TXT_Nom_Length.tag, "");  // not checked
  EXPECT_EQ(controls().TXT_File.text, "IN_03750_HCSW-###_02000-3D(036)");
  EXPECT_TRUE(platform_.messages.empty());

  Start("/D:3.5 /T:0 /P:1 /S:5");
  EXPECT_EQ(controls().Cmb_Size.selected, 4);
  EXPECT_EQ(controls().TXT_File.text, "IN_05000_HCSW-UNF_03000-3D(240)");
  ASSERT_EQ(platform_.messages.size(), 1u);  // 1/2 inch has one pitch only
  EXPECT_TRUE(Messaged("/P:") && Messaged("0 to 0"));
}

TEST_F(BoltAppTest, HelpEndsTheProgramAndAppliesNothing) {
  for (const char* args : {"/D:1 /F:a?b /G:1", "--help"}) {
    BoltApp& app = Start(args);
    EXPECT_EQ(app.exit_status(), kExitOk);
    ASSERT_EQ(platform_.messages.size(), 1u);
    EXPECT_EQ(platform_.messages[0].kind, MessageKind::kInfo);
    EXPECT_EQ(platform_.messages[0].text, HelpText());
    EXPECT_EQ(controls().Cmb_Size.selected, 7);
    EXPECT_EQ(controls().CMB_Segments.text, "24");
    EXPECT_EQ(platform_.windows_shown, 0);
  }
}

TEST_F(BoltAppTest, IndexesThatNameNoEntryKeepTheSelection) {
  const struct {
    const char* args;
    const char* range;  // named in the message
    const char* segments;
  } cases[] = {{"/D:10", "0 to 9", "36"},    {"/D:-1", "0 to 9", "36"}, {"/D:70000", "0 to 9", "36"},
               {"/D:1e999", "0 to 9", "36"}, {"/D:9.5", "0 to 9", "36"}, {"/S:6", "0 to 5", "24"}};
  for (const auto& c : cases) {
    BoltApp& app = Start(c.args);
    EXPECT_FALSE(app.exit_status()) << c.args;
    EXPECT_EQ(controls().Cmb_Size.selected, 7) << c.args;
    EXPECT_EQ(controls().CMB_Segments.text, c.segments) << c.args;
    ASSERT_EQ(platform_.messages.size(), 1u) << c.args;
    EXPECT_TRUE(Messaged(std::string(c.args, 3))) << c.args;
    EXPECT_TRUE(Messaged(c.range)) << c.args;
  }
  // With /G:1 nothing is generated.
  BoltApp& app = Start("/P:2 /S:1 /G:1");
  EXPECT_EQ(app.exit_status(), kExitFailed);
  EXPECT_EQ(platform_.ends, std::vector<int>{kExitFailed});
  EXPECT_TRUE(Messaged("0 to 1"));
  EXPECT_EQ(platform_.windows_shown, 0);
  EXPECT_TRUE(platform_.sleeps.empty());
  EXPECT_FALSE(fs::exists(dir_ / (controls().TXT_File.text + ".scr")));
}

// The generation writes into the process's working folder.
class GenerationTest : public BoltAppTest {
 protected:
  GenerationTest() : old_dir_(fs::current_path()) { fs::current_path(dir_); }
  ~GenerationTest() override { fs::current_path(old_dir_); }

  void UseShippedSizeTable() {
    fs::copy_file(BOLTGEN_SOURCE_DIR "/data/boltgen.ini", dir_ / "boltgen.ini",
                  fs::copy_options::overwrite_existing);
  }
  std::string Read(const std::string& name) {
    std::ifstream in(dir_ / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  fs::path old_dir_;
};

TEST_F(GenerationTest, UnattendedRunWritesTheScriptAndEnds) {
  UseShippedSizeTable();
  const std::string args = "/D:7 /P:1 /L:3.000 /S:1 /T:0 /N:1 /B:1 /G:1";
  const std::string script = "IN_07500_HCSW-UNC_03000-3D(036).scr";
  BoltApp& app = Start(args);
  EXPECT_EQ(app.exit_status(), kExitOk);
  EXPECT_EQ(platform_.ends, std::vector<int>{kExitOk});
  EXPECT_TRUE(platform_.messages.empty());
  EXPECT_EQ(platform_.windows_shown, 1);
  EXPECT_EQ(platform_.sleeps, (std::vector<int>{1000, 2000}));
  EXPECT_EQ(app.last_result().path, script);
  EXPECT_EQ(controls().Status, "(Script File Written)Ready .... ... exting in 2 seconds.");

  // STL files come beside the script and change none of its bytes; with no
  // display nobody watches, so there is no sleep.
  const std::string without = Read(script);
  ASSERT_FALSE(without.empty());
  EXPECT_FALSE(fs::exists(dir_ / "IN_07500_HCSW-UNC_03000-3D(036).stl"));
  Start(args + " /M:1", /*headless=*/true);
  EXPECT_EQ(app_->exit_status(), kExitOk);
  EXPECT_TRUE(platform_.sleeps.empty());
  EXPECT_EQ(Read(script), without);
  EXPECT_EQ(controls().Status, "(Script File Written)Ready .... ... exting in 2 seconds.");
  EXPECT_EQ(app_->stl_written().size(), 5u);
  for (const std::string& name : app_->stl_written()) EXPECT_GT(fs::file_size(name), 84u) << name;
}

TEST_F(GenerationTest, FailureEndsAnUnattendedRunWithoutTheExitNotice) {
  const struct {
    bool shipped_table;
    const char* args;
    const char* script;
    bool fatal;
  } cases[] = {{true, "/L:0.1 /T:0 /F:short /G:1", "short.scr", true},
               {false, "/D:9 /T:0 /F:bare /G:1", "bare.scr", false}};  // no pitch: refused
  for (const auto& c : cases) {
    if (c.shipped_table) UseShippedSizeTable(); else Write("boltgen.ini", kSizeTable);
    BoltApp& app = Start(c.args);
    EXPECT_EQ(app.exit_status(), kExitFailed) << c.args;
    EXPECT_EQ(platform_.ends, std::vector<int>{kExitFailed});
    ASSERT_EQ(platform_.messages.size(), 1u) << c.args;
    EXPECT_EQ(platform_.messages[0].kind, MessageKind::kError);
    EXPECT_EQ(platform_.messages[0].text.rfind("Fatal Error:", 0) == 0, c.fatal);
    EXPECT_EQ(platform_.sleeps, std::vector<int>{1000});
    EXPECT_EQ(controls().Status.find("exting"), std::string::npos) << c.args;
    EXPECT_FALSE(fs::exists(dir_ / c.script)) << c.args;
  }
}

TEST_F(GenerationTest, AnStlFileThatCannotBeWrittenFailsTheUnattendedRun) {
  UseShippedSizeTable();
  fs::create_directory(dir_ / "bolt.stl");  // nothing can replace a folder
  BoltApp& app = Start("/F:bolt /M:1 /G:1");
  EXPECT_EQ(app.exit_status(), kExitFailed);
  ASSERT_EQ(platform_.messages.size(), 1u);
  EXPECT_TRUE(Messaged("bolt.stl"));
  EXPECT_TRUE(fs::is_regular_file(dir_ / "bolt.scr"));
  EXPECT_TRUE(app.stl_written().empty());
}

TEST_F(GenerationTest, WindowStaysAfterARefusalOrAWriteFailure) {
  UseShippedSizeTable();
  BoltApp& app = Start();
  app.controls.TXT_File.text = "no such folder/bolt";
  app.CmdProcess_Click();
  EXPECT_EQ(app.last_result().kind, GenerationResult::Kind::kWriteFailed);
  app.controls.TXT_File.text = "";
  app.CmdProcess_Click();
  EXPECT_EQ(app.last_result().kind, GenerationResult::Kind::kRefused);
  EXPECT_EQ(platform_.messages.size(), 2u);
  EXPECT_FALSE(app.exit_status());
  EXPECT_TRUE(platform_.ends.empty());

  app.controls.TXT_File.text = "again";
  app.CmdProcess_Click();
  EXPECT_TRUE(fs::is_regular_file(dir_ / "again.scr"));
}

}  // namespace
}  // namespace boltgen
