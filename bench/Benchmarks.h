#pragma once
// The benchmarks inside bench_win.exe, one per subcommand. Each takes its arguments after the
// subcommand's name, prints its figures and returns the process exit code.
#include <string>
#include <vector>

using BenchArgs = std::vector<std::wstring>;

int WritePagesCommand(const BenchArgs& args);   // pages APPDIR PAGES BUTTONS FOLDERROOT
int GroupFileBench(const BenchArgs& args);      // group RUNS FOLDER
int ScanBench(const BenchArgs& args);           // scan RUNS FOLDER
int TransferBench(const BenchArgs& args);       // transfer RUNS SOURCES TARGETROOT
int SlideBench(const BenchArgs& args);          // slide RUNS APPDIR
int DropBench(const BenchArgs& args);           // drop RUNS APPDIR SOURCEFILE TARGETFOLDER
int DropQuestionBench(const BenchArgs& args);   // drop-question RUNS APPDIR SOURCEFILE TARGETFOLDER
