// The subcommands of varnik-cli.  Each capability adds its own file with a
// Run function and one row in kSubcommands (main.cpp).
#pragma once

#include "cli/args.h"

namespace varnik::cli {

int RunText(Args& args);
int RunMenu(Args& args);
int RunHaplotype(Args& args);
int RunTmrca(Args& args);
int RunTransitionTable(Args& args);
int RunAxes(Args& args);
int RunPlot(Args& args);
int RunTrainModel(Args& args);
int RunPredict(Args& args);
int RunAdmixture(Args& args);
int RunSearch(Args& args);
int RunCrossValidate(Args& args);
int RunSettings(Args& args);
int RunPainting(Args& args);
int RunCompareGenomes(Args& args);
int RunRelatedness(Args& args);

}  // namespace varnik::cli
