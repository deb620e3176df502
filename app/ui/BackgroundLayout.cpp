#include "app/ui/BackgroundLayout.h"

#include <QEventLoop>
#include <QProgressDialog>
#include <QTimer>
#include <mutex>
#include <vector>

namespace zorvex {
namespace {

constexpr int LookEveryMs = 5;

struct Leftovers {
  std::mutex lock;
  std::vector<std::thread> workers;
  ~Leftovers() {
    for (std::thread& w : workers) w.join();
  }
};

Leftovers& leftovers() {
  static Leftovers kept;
  return kept;
}

}  // namespace

void keepUntilExit(std::thread worker) {
  Leftovers& kept = leftovers();
  const std::lock_guard hold(kept.lock);
  kept.workers.push_back(std::move(worker));
}

bool waitWithLayoutProgress(QWidget* parent, const QString& label, const std::atomic<bool>& done) {
  QEventLoop loop;
  QTimer look;
  look.setInterval(LookEveryMs);
  QObject::connect(&look, &QTimer::timeout, &loop, [&] {
    if (done.load()) loop.quit();
  });
  look.start();
  QProgressDialog box(label, QStringLiteral("Cancel"), 0, 0, parent);
  box.setObjectName("LayoutProgress");
  box.setWindowTitle(QStringLiteral("Zorvex!"));
  box.setWindowModality(Qt::ApplicationModal);
  box.setMinimumDuration(0);
  bool cancelled = false;
  const auto cancel = [&] {
    cancelled = true;
    loop.quit();
  };
  QObject::connect(&box, &QProgressDialog::canceled, &loop, cancel);
  // Escape rejects the box without saying Cancel.
  QObject::connect(&box, &QDialog::rejected, &loop, cancel);
  box.show();
  loop.exec();
  return !cancelled;
}

}  // namespace zorvex
