#pragma once
// "Evaluate until stable": evaluation rounds, each run and logged as the
// button's round, until a round leaves the statuses as it found them
// (stable), or leaves them as they were after an earlier round of the run or
// before its first (a cycle), or the round limit is reached. The statuses
// compared are each sentence's and arrow's justified / unjustified / not
// evaluated (the round marks do not count) and each defeater's state: a hash
// of them is kept per round, and a hash that matches is confirmed by
// comparing every status the rounds in between changed.
//
// The rounds are incremental (eval/IncrementalRounds.h): each visits only
// what its predecessor's changes can reach, so a run costs about what all
// its rounds change together. The whole-diagram round gives the same run.
#include <cstdint>
#include <functional>
#include <string>

#include "eval/EvaluationLog.h"
#include "eval/EvaluationOptions.h"
#include "eval/IncrementalRounds.h"
#include "explain/StatusRecord.h"
#include "model/Diagram.h"

namespace zorvex {

constexpr int32_t UntilStableLimit = 100000;
// The rounds a run may take: 100,000, or as many as the diagram has
// elements when that is more (a chain settles one link per round).
int32_t untilStableLimit(const Diagram& diagram);

struct UntilStableOutcome {
  enum End { Stable, Repeats, Limit, Stopped } end = Stable;
  int32_t rounds = 0;  // every round run, the last one included
  int32_t period = 0;  // for Repeats
  std::string message;  // "Stable after 3 rounds", written to the log and status bar panel 1
};

// `limit` 0 stands for untilStableLimit(diagram). `keepGoing`, when given,
// is asked before every round after the first with
// the number of rounds done; false stops the run there ("Stopped after N
// rounds"). Appends the message and an empty line to the log after the last
// round's lines.
enum class RoundWay { Incremental, Whole };
UntilStableOutcome EvaluateUntilStable(Diagram& diagram, StatusRecord& record, const EvaluationOptions& options,
                                       EvaluationLog& log, int32_t label = -1,
                                       const std::function<bool(int32_t)>& keepGoing = {},
                                       int32_t limit = 0, RoundWay way = RoundWay::Incremental);
// The same with rounds kept in step with the diagram by earlier commands,
// so that the first round too visits only what changed since.
UntilStableOutcome EvaluateUntilStable(IncrementalRounds& rounds, Diagram& diagram, StatusRecord& record,
                                       const EvaluationOptions& options, EvaluationLog& log, int32_t label = -1,
                                       const std::function<bool(int32_t)>& keepGoing = {},
                                       int32_t limit = 0);

// "1 round", "3 rounds", "100,000 rounds".
std::string roundsText(int64_t n);

}  // namespace zorvex
