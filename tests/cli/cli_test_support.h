// Runs a varnik-cli subcommand in-process and captures what it prints.
#pragma once

#include <gtest/gtest.h>

#include <string>
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

}  // namespace varnik::cli
