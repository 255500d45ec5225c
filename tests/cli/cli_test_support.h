// Runs a varnik-cli subcommand in-process and captures what it prints.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "cli/args.h"

namespace varnik::cli {

struct CliResult {
  int status;
  std::string out, err;
};

inline CliResult RunCli(int (*run)(Args&), std::vector<std::string> argv) {
  Args args(std::move(argv));
  ::testing::internal::CaptureStdout();
  ::testing::internal::CaptureStderr();
  const int status = run(args);
  std::string out = ::testing::internal::GetCapturedStdout();
  std::string err = ::testing::internal::GetCapturedStderr();
  return {status, std::move(out), std::move(err)};
}

// The exit status and standard output only.
inline std::pair<int, std::string> StatusAndOut(int (*run)(Args&), std::vector<std::string> argv) {
  CliResult result = RunCli(run, std::move(argv));
  return {result.status, std::move(result.out)};
}

}  // namespace varnik::cli
