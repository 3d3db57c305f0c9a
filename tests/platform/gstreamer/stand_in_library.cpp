// The stand-in for an unusable GStreamer: a library of its name that defines none of its functions.
extern "C" int alarmclock_stand_in_library() { return 0; }
