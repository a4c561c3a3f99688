# Read by ctest after the cases of this folder are discovered: the nights run on real
# timers, so they start first and have a limit well past their five and a half minutes
# (the whole night) and three and a half (to the sleep window and its Exit).
set_tests_properties("WholeNightOnTheDesktop.TwoMinuteNightFromStartToStandBy"
  "WholeNightOnTheDesktop.ExitOnTheSleepWindowEndsTheNightAtOnce"
  PROPERTIES COST 1000 TIMEOUT 1200)
