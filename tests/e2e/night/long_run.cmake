# Read by ctest after the cases of this folder are discovered: the night runs on real
# timers, so it starts first and has a limit well past its five and a half minutes.
set_tests_properties("WholeNightOnTheDesktop.TwoMinuteNightFromStartToStandBy"
  PROPERTIES COST 1000 TIMEOUT 1200)
