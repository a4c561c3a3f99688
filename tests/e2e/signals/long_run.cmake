# Read by ctest after the cases of this folder are discovered: each drives a night to its
# sleep window on the program's own timers, so they start early and have room to do so.
set_tests_properties(
  "EndingSignals/SignalledNight.SignalEndsTheNightCleanly/SIGTERM  # GetParam() = 15"
  "EndingSignals/SignalledNight.SignalEndsTheNightCleanly/SIGINT  # GetParam() = 2"
  "EndingSignals/SignalledNight.SignalEndsTheNightCleanly/SIGHUP  # GetParam() = 1"
  "NightEndedFromOutside.KilledXServerEndsTheNightWithOneLine"
  PROPERTIES COST 1000 TIMEOUT 900)
