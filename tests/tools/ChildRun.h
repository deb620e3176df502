#pragma once
// Running the real zorvex-cli in a child process, with its standard output
// sent to a given file (/dev/full, say) and, if asked, a limit on the size of
// any file it writes: the kernel then refuses a write past it (EFBIG), a
// failing disk that needs no privileges.
#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <vector>

#include "tests/tools/CliRun.h"

namespace zorvex::tools::testing {

inline CliRun runChild(const std::vector<std::string>& args, const std::string& stdoutPath,
                       rlim_t fileSizeLimit = RLIM_INFINITY) {
  std::vector<std::string> words{ZORVEX_CLI};
  words.insert(words.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& w : words) argv.push_back(w.data());
  argv.push_back(nullptr);

  int errPipe[2];
  if (pipe(errPipe) != 0) return {};
  const pid_t pid = fork();
  if (pid == 0) {  // only async-signal-safe calls until exec
    const int out = open(stdoutPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (out < 0 || dup2(out, 1) < 0 || dup2(errPipe[1], 2) < 0) _exit(125);
    const struct rlimit limit {fileSizeLimit, fileSizeLimit};
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(125);
    signal(SIGXFSZ, SIG_IGN);  // a write past the limit then fails instead of killing
    execv(argv[0], argv.data());
    _exit(126);
  }
  close(errPipe[1]);
  CliRun run;
  char buffer[4096];
  for (ssize_t n; (n = read(errPipe[0], buffer, sizeof buffer)) != 0;)
    if (n > 0) run.err.append(buffer, static_cast<size_t>(n));
    else if (errno != EINTR) break;
  close(errPipe[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  run.code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return run;
}

}  // namespace zorvex::tools::testing
