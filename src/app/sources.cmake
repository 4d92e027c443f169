# Files of src/app (paths relative to src/): the composition root. The main
# window, start-up, the arrangement of the tool windows and the wiring between
# windows; the only folder that includes the windows of other folders.
target_sources(tesk_app PRIVATE
  app/startup.h app/startup.cpp
  app/frm_Start.h app/frm_Start.cpp
  app/arrange.h app/arrange.cpp
  app/wiring.h app/wiring.cpp
  app/program_icon.h app/program_icon.cpp
  app/termination.h app/termination.cpp
)
