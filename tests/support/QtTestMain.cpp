// One QApplication per test binary, on the offscreen platform unless one is
// chosen, in a home of its own: what Qt and the program keep for the user
// (the file dialogs' places and history, recovery copies) never reaches the
// real user's folders, and neither does anything a program the tests start
// keeps, since it inherits the same environment.
#include <QApplication>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

class PrivateHome {
 public:
  PrivateHome() {
    const char* temp = std::getenv("TMPDIR");
    std::string folder = std::string(temp && *temp ? temp : "/tmp") + "/zorvex-test-home-XXXXXX";
    if (!mkdtemp(folder.data())) return;
    path_ = folder;
    setenv("HOME", folder.c_str(), 1);
    for (const char* variable : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_STATE_HOME"})
      setenv(variable, (folder + "/" + variable).c_str(), 1);
  }
  ~PrivateHome() {
    std::error_code ec;
    if (!path_.empty()) std::filesystem::remove_all(path_, ec);
  }
  PrivateHome(const PrivateHome&) = delete;
  PrivateHome& operator=(const PrivateHome&) = delete;

 private:
  std::string path_;
};

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // Before the application, which reads the settings' places once.
  const PrivateHome home;
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
