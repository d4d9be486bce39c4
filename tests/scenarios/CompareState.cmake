# Runs pinstage on a script and compares the final state line of its trace with the expected one.
# -DPROGRAM= -DSCRIPT= -DEXPECTED= -DWORKDIR= -DQUIT_AFTER= -DSEED= (the seed of the match draw)
file(REMOVE_RECURSE ${WORKDIR})
file(MAKE_DIRECTORY ${WORKDIR})
execute_process(
  COMMAND ${PROGRAM} --simulate --dumb-playfield --windowed --root ${WORKDIR}/root --script ${SCRIPT}
          --trace ${WORKDIR}/trace.txt --quit-after ${QUIT_AFTER} --seed ${SEED}
  RESULT_VARIABLE status
  TIMEOUT 300)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "pinstage ended with ${status}")
endif()
file(STRINGS ${WORKDIR}/trace.txt states REGEX " state ")
list(LENGTH states count)
if(count EQUAL 0)
  message(FATAL_ERROR "no state line in the trace")
endif()
list(GET states -1 last)
file(STRINGS ${EXPECTED} expected REGEX "^state ")
string(FIND "${last}" "${expected}" at)
if(at EQUAL -1)
  message(FATAL_ERROR "final state\n  ${last}\nexpected\n  ${expected}")
endif()
