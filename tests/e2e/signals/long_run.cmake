# Read by ctest after the cases of this folder are discovered: each drives a night to its
# sleep window on the program's own timers, so they start early and have room to do so.
set_tests_properties("EndingSignals/SignalledNight.SignalEndsTheNightCleanly/SIGTERM"
  "EndingSignals/SignalledNight.SignalEndsTheNightCleanly/SIGINT"
  "EndingSignals/SignalledNight.SignalEndsTheNightCleanly/SIGHUP"
  "NightEndedFromOutside.KilledXServerEndsTheNightWithOneLine"
  PROPERTIES COST 1000 TIMEOUT 900)
