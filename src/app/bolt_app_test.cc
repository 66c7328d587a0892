#include "app/bolt_app.h"

#include <filesystem>
#include <fstream>
#include <memory>

#include <gtest/gtest.h>

#include "app/command_line.h"
#include "base/test_folder.h"

namespace boltgen {
namespace {

namespace fs = std::filesystem;

class FakePlatform : public Platform {
 public:
  void Repaint(const Controls&) override {}
  void ProcessEvents() override {}
  void ShowMessage(MessageKind, std::string_view text) override { messages.emplace_back(text); }
  void Sleep(int milliseconds) override { sleeps.push_back(milliseconds); }
  void OpenDocument(const std::string& path) override { opened.push_back(path); }
  void EndProgram(int status) override { ends.push_back(status); }
  void ShowWindow() override { ++windows_shown; }

  std::vector<std::string> messages, opened;
  std::vector<int> sleeps, ends;
  int windows_shown = 0;
};

// Ten sizes: the eighth is the default, the fifth has one pitch, the tenth none.
constexpr const char* kSizeTable =
    "; test table\r\n"
    "[Inch 1/4]\r\ndianom=0.25\r\npitch0=0.035714 UNF\r\npitch1=0.05 UNC\r\n"
    "[Inch 5/16]\r\ndianom=0.3125\r\npitch0=0.041667 UNF\r\n[Inch 3/8]\r\ndianom=0.375\r\n"
    "pitch0=0.041667 UNF\r\n[Inch 7/16]\r\ndianom=0.4375\r\npitch0=0.05 UNF\r\n"
    "[Inch 1/2]\r\ndianom=0.5\r\npitch0=0.05 UNF\r\n[Inch 9/16]\r\ndianom=0.5625\r\n"
    "pitch0=0.055556 UNF\r\n[Inch 5/8]\r\ndianom=0.625\r\npitch0=0.055556 UNF\r\n"
    "[ANSI Inch 3/4]\r\nDiaNom = 0.75\r\npitch0=0.0625 UNF\r\npitch1=0.076923 UNC\r\n"
    "[ISO M12]\r\ndianom=12\r\npitch0=1.75\r\npitch1=1.25\r\n"
    "[Bare]\r\ndianom=1\r\n";

// The program in a fresh working folder, where the scripts go.
class BoltAppTest : public testing::Test {
 protected:
  BoltAppTest() : old_dir_(fs::current_path()) {
    // A folder name beyond ASCII: every path goes through UTF-8 text.
    dir_ = os::PathFromUtf8(MakeTestFolder("boltgen_app_\xC3\xB1"));
    fs::current_path(dir_);
    Write("boltgen.ini", kSizeTable);
  }
  ~BoltAppTest() override {
    fs::current_path(old_dir_);
    fs::remove_all(dir_);
  }

  void Write(const std::string& name, std::string_view content) {
    std::ofstream(dir_ / name, std::ios::binary) << content;
  }
  void UseShippedSizeTable() {
    // Removed first: mingw's copy_file refuses to overwrite ("File exists").
    fs::remove(dir_ / "boltgen.ini");
    fs::copy_file(BOLTGEN_SOURCE_DIR "/data/boltgen.ini", dir_ / "boltgen.ini");
  }

  BoltApp& Start(std::string args = "", bool headless = false) {
    platform_ = FakePlatform{};
    AppEnvironment environment;
    environment.program_path = os::Utf8FromPath(dir_ / "bin" / program_name_);
    environment.raw_args = std::move(args);
    environment.working_dir = os::Utf8FromPath(dir_);
    environment.headless = headless;
    app_ = std::make_unique<BoltApp>(platform_, environment);
    app_->Form_Load();
    return *app_;
  }

  const Controls& controls() const { return app_->controls; }
  // No Threads, Washer Face, Head Radius, Sharp Threads, Nuts, Blocks.
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
    for (const std::string& message : platform_.messages) {
      if (message.find(part) != std::string::npos) return true;
    }
    return false;
  }

  fs::path old_dir_, dir_;
  std::string program_name_ = "boltgen.v1.bin";  // up to its first point names the size table
  FakePlatform platform_;
  std::unique_ptr<BoltApp> app_;
};

TEST_F(BoltAppTest, StartUpWithoutArgumentsKeepsTheWindowDefaults) {
  EXPECT_FALSE(Start().exit_status());
  EXPECT_TRUE(platform_.messages.empty());
  EXPECT_EQ(controls().Status, "Ready");
  EXPECT_EQ(controls().TXT_Nom_Length.text, "3.000");
  EXPECT_EQ(Checks(), "011100");
  EXPECT_FALSE(controls().Chk_Sharp_Threads.enabled);
  EXPECT_EQ(controls().Cmb_Pitch.items, (std::vector<std::string>{"0.0625 UNF", "0.076923 UNC"}));
  EXPECT_EQ(controls().TXT_File.text, "IN_07500_HCSW-UNF_03000-3D(024)");
}

// Without a table in the working folder the one beside the program is used,
// wherever the system's separators put the program's folder.
TEST_F(BoltAppTest, SizeTableBesideTheProgramWhenTheWorkingFolderHasNone) {
  fs::create_directory(dir_ / "bin");
  fs::rename(dir_ / "boltgen.ini", dir_ / "bin" / "boltgen.ini");
  EXPECT_FALSE(Start().exit_status());
  EXPECT_TRUE(platform_.messages.empty());
  EXPECT_EQ(controls().Cmb_Size.items.size(), 10u);
  EXPECT_EQ(os::PathFromUtf8(app_->size_table_path).lexically_normal(),
            (dir_ / "bin" / "boltgen.ini").lexically_normal());
}

TEST_F(BoltAppTest, SizeTableMissingOrWithoutSizesEndsBeforeTheCommandLine) {
  const std::pair<const char*, const char*> cases[] = {
      {nullptr, "boltgen.ini"},
      {"; nothing\r\nkey=1\r\n", "lists no size"},
      {"[Inch 1/4]\ndianom=0.25\npitch0=0.05\n", "CR LF"}};  // one line without CR
  for (const auto& [content, said] : cases) {
    content ? Write("boltgen.ini", content) : void(fs::remove(dir_ / "boltgen.ini"));
    EXPECT_EQ(Start("?").exit_status(), kExitFailed) << said;
    EXPECT_EQ(platform_.messages.size(), 1u) << said;  // no help
    EXPECT_TRUE(Messaged(said));
  }
}

TEST_F(BoltAppTest, LeavingTheLengthBoxChecksIt) {
  BoltApp& app = Start();
  const std::pair<const char*, const char*> cases[] = {
      {"3/4", nullptr},   {"-2", nullptr},         {"0", nullptr},       {"abc", nullptr},
      {"1e999", nullptr}, {"0.0001e-400", nullptr}, {"2.5", "2.500"},     {"12.3456", "12.346"},
      {"2.5in", "2.500"}, {"   ", "3.000"},         {" 1e1", "10.000"}};
  for (const auto& [typed, shown] : cases) {
    app.controls.TXT_Nom_Length.text = typed;
    app.TXT_Nom_Length_Validate();
    EXPECT_EQ(controls().TXT_Nom_Length.text, shown ? shown : typed);
  }
  EXPECT_EQ(platform_.messages,
            std::vector<std::string>(6, "Please use decimal numbers for length."));
  EXPECT_EQ(controls().TXT_File.text, "IN_07500_HCSW-UNF_10000-3D(024)");
  app.controls.TXT_File.text = "edited";  // leaving it unchanged checks nothing
  app.TXT_Nom_Length_Validate();
  EXPECT_EQ(controls().TXT_File.text, "edited");
}

TEST_F(BoltAppTest, NutsOnlyWithAWasherFaceAndHelpOnF1) {
  BoltApp& app = Start();
  app.SetCheck(app.controls.Chk_Nuts, true);
  app.SetCheck(app.controls.Chk_WF, false);
  EXPECT_FALSE(controls().Chk_Nuts.checked || controls().Chk_Nuts.enabled);
  app.controls.Chk_Nuts.checked = true;  // leaving it checked brings the washer face back
  app.Chk_Nuts_Validate();
  EXPECT_TRUE(controls().Chk_WF.checked && controls().Chk_Nuts.enabled);

  app.Form_KeyDown(112);  // no document: nothing happens, nothing is said
  Write("BoltGen.PDF", "%PDF");
  app.Form_KeyDown(113);
  EXPECT_TRUE(platform_.opened.empty() && platform_.messages.empty());
  app.Form_KeyDown(112);
  ASSERT_EQ(platform_.opened.size(), 1u);
  EXPECT_EQ(fs::path(platform_.opened[0]).filename(), "BoltGen.PDF");
}

TEST_F(BoltAppTest, LeavingTheSizeBoxLooksThePitchesUp) {
  BoltApp& app = Start();
  app.SelectPitch(1);
  app.Cmb_Size_Validate();
  EXPECT_EQ(controls().Cmb_Pitch.selected, 0);
  app.controls.Cmb_Size.text = "[ANSI Inch 3/";  // typed: names no section
  app.Cmb_Size_Change();
  EXPECT_EQ(controls().Cmb_Pitch.selected, -1);
  EXPECT_EQ(controls().TXT_File.text, "IN__HCSW-000_03000-3D(024)");
}

TEST_F(BoltAppTest, SwitchesRunTheHandlers) {
  const struct {
    const char* args;
    const char* checks;
    const char* name;
    const char* said;  // in the only message, if any
  } cases[] = {
      {"/F:bolt.scr", "111100", "bolt.scr", nullptr},
      // /N:1 checks the washer face /W:0 cleared; /t: is no switch; /L: is not checked.
      {"/N:1 /W:0 /D:2.5 /t:0 /L:2 /A:0 /R:0 /B:1", "110011", "IN_03750_HCSW-###_02000-3D(036)",
       nullptr},
      {"/D:3.5 /T:0 /P:1 /S:5", "011100", "IN_05000_HCSW-UNF_03000-3D(240)", "/P: names no"},
      {"/D:0 2 3 4 5 6 7 8 9 10 /N:1?", "111100", "IN_02500_HCSW-###_03000-3D(036)", nullptr},
      {"/D:10", "111100", "IN_07500_HCSW-###_03000-3D(036)", "/D: names no"},
      {"/D:-1", "111100", "IN_07500_HCSW-###_03000-3D(036)", "0 to 9"},
      {"/D:1e999", "111100", "IN_07500_HCSW-###_03000-3D(036)", "0 to 9"},
      {"/D:9.5", "111100", "IN_07500_HCSW-###_03000-3D(036)", "0 to 9"},
      {"/S:6", "111100", "IN_07500_HCSW-###_03000-3D(024)", "/S: names no"},
  };
  for (const auto& c : cases) {
    EXPECT_FALSE(Start(c.args).exit_status()) << c.args;
    EXPECT_EQ(Checks(), c.checks) << c.args;
    EXPECT_EQ(controls().TXT_File.text, c.name) << c.args;
    EXPECT_EQ(platform_.messages.size(), c.said ? 1u : 0u) << c.args;
    EXPECT_TRUE(!c.said || Messaged(c.said)) << c.args;
  }
}

TEST_F(BoltAppTest, HelpOrABadIndexWithG1EndsTheProgramAndGeneratesNothing) {
  for (const char* args : {"/D:1 /F:a?b /G:1", "--help"}) {
    EXPECT_EQ(Start(args).exit_status(), kExitOk);
    EXPECT_EQ(platform_.messages, std::vector<std::string>{std::string(HelpText())});
    EXPECT_EQ(controls().CMB_Segments.text, "24");  // nothing applied
  }
  EXPECT_EQ(Start("/P:2 /S:1 /G:1").exit_status(), kExitFailed);
  EXPECT_EQ(platform_.ends, std::vector<int>{kExitFailed});
  EXPECT_TRUE(Messaged("0 to 1"));
  EXPECT_EQ(platform_.windows_shown + platform_.sleeps.size(), 0u);
  EXPECT_FALSE(fs::exists(dir_ / (controls().TXT_File.text + ".scr")));
}

TEST_F(BoltAppTest, UnattendedRunWritesTheScriptAndEnds) {
  UseShippedSizeTable();
  const std::string args = "/D:7 /P:1 /L:3.000 /S:1 /T:0 /N:1 /B:1 /G:1";
  const std::string script = "IN_07500_HCSW-UNC_03000-3D(036).scr";
  EXPECT_EQ(Start(args).exit_status(), kExitOk);
  EXPECT_EQ(platform_.ends, std::vector<int>{kExitOk});
  EXPECT_TRUE(platform_.messages.empty());
  EXPECT_EQ(platform_.sleeps, (std::vector<int>{1000, 2000}));
  EXPECT_EQ(controls().Status, "(Script File Written)Ready .... ... exting in 2 seconds.");
  const auto size = fs::file_size(dir_ / script);

  // STL files come beside the script, which they leave as it was; no sleeps headless.
  EXPECT_EQ(Start(args + " /M:1", /*headless=*/true).exit_status(), kExitOk);
  EXPECT_TRUE(platform_.sleeps.empty());
  EXPECT_EQ(fs::file_size(dir_ / script), size);
  EXPECT_EQ(app_->companion_files().size(), 5u);
  for (const std::string& name : app_->companion_files()) EXPECT_GT(fs::file_size(name), 84u) << name;
}

TEST_F(BoltAppTest, AFailureEndsAnUnattendedRunWithoutTheExitNotice) {
  const char* const cases[] = {"/D:9 /T:0 /F:bare /G:1",  // no pitch: refused
                               "/F:bolt /M:1 /G:1"};      // the STL file is a folder
  fs::create_directory(dir_ / "bolt.stl");
  for (const char* args : cases) {
    EXPECT_EQ(Start(args).exit_status(), kExitFailed) << args;
    EXPECT_EQ(platform_.ends, std::vector<int>{kExitFailed});
    EXPECT_EQ(platform_.messages.size(), 1u) << args;
    EXPECT_EQ(controls().Status.find("exting"), std::string::npos) << args;
    EXPECT_TRUE(app_->companion_files().empty());
    UseShippedSizeTable();
  }
  EXPECT_FALSE(fs::exists(dir_ / "bare.scr"));
  EXPECT_TRUE(Messaged("bolt.stl"));
}

TEST_F(BoltAppTest, WindowStaysAfterARefusalOrAWriteFailure) {
  UseShippedSizeTable();
  BoltApp& app = Start();
  for (const char* name : {"no such folder/bolt", "", "again"}) {
    app.controls.TXT_File.text = name;
    app.CmdProcess_Click();
  }
  EXPECT_EQ(platform_.messages.size(), 2u);
  EXPECT_TRUE(platform_.ends.empty());
  EXPECT_TRUE(fs::is_regular_file(dir_ / "again.scr"));
}

}  // namespace
}  // namespace boltgen
