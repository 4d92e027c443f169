# Files of src/app (paths relative to src/): the composition root. The main
# window, start-up, the arrangement of the tool windows and the wiring between
# windows; the only folder that includes the windows of other folders.
target_sources(tesk_app PRIVATE
  app/startup.h app/startup.cpp
  app/frm_Start.h app/frm_Start.cpp
  app/arrange.h app/arrange.cpp
  app/wiring.h app/wiring.cpp
  app/program_icon.h app/program_icon.cpp
  app/outside_files.h app/outside_files.cpp
  app/single_instance.h app/single_instance.cpp
)
# A second start hands its files to the running editor over a local socket.
target_link_libraries(tesk_app PUBLIC Qt6::Network)
