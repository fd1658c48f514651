-- Opens the saved session again: the plug-in's chunk must bring back its values, and it must play.
local folder = os.getenv ("TESSALINE_SESSION_DIR")

AudioEngine:set_backend ("None (Dummy)", "", "")
local s = load_session (folder, "tessaline")
if not s then print ("check: session not loaded"); os.exit (1) end
local route = s:route_by_name ("Reverb")
local plugin = route and route:nth_plugin (1)
if not plugin or plugin:isnil () then print ("check: plugin missing"); close_session (); os.exit (1) end
print (string.format ("check: recalled dry %.4f wet %.4f", ARDOUR.LuaAPI.get_processor_param (plugin, 0, true),
                      ARDOUR.LuaAPI.get_processor_param (plugin, 18, true)))
s:request_roll (ARDOUR.TransportRequestSource.TRS_UI)
ARDOUR.LuaAPI.usleep (600000)
print ("check: level after recall " .. route:peak_meter ():meter_level (0, ARDOUR.MeterType.MeterPeak))
s:request_stop (false, false, ARDOUR.TransportRequestSource.TRS_UI)
close_session ()
