-- A headless Ardour session with Tessaline on a stereo track: change a parameter, roll, save.
-- Prints one "check:" line per step; the shell script that runs it judges by those lines.
local folder = os.getenv ("TESSALINE_SESSION_DIR")
local name = "tessaline"

AudioEngine:set_backend ("None (Dummy)", "", "")
local s = create_session (folder, name, 48000)
if not s then print ("check: no session"); os.exit (1) end
print ("check: session created")

local tracks = s:new_audio_track (2, 2, nil, 1, "Reverb", ARDOUR.PresentationInfo.max_order, ARDOUR.TrackMode.Normal, true)
local track = tracks:front ()

local plugin = ARDOUR.LuaAPI.new_plugin (s, "Tessaline", ARDOUR.PluginType.VST3, "")
if plugin:isnil () then print ("check: plugin not found"); close_session (); os.exit (1) end
if not track:add_processor_by_index (plugin, 0, nil, true) then
	print ("check: plugin not added"); close_session (); os.exit (1)
end
print ("check: plugin loaded: " .. plugin:display_name ())

local insert = plugin:to_insert ()
local vst = insert:plugin (0)
print ("check: parameters " .. vst:parameter_count ())
-- Parameter 0 of the plug-in is Dry; its new value must travel to the processor and into the state.
if ARDOUR.LuaAPI.set_processor_param (plugin, 0, 0.25) then
	print ("check: parameter set")
end

s:request_roll (ARDOUR.TransportRequestSource.TRS_UI)
ARDOUR.LuaAPI.usleep (1500000)
s:request_stop (false, false, ARDOUR.TransportRequestSource.TRS_UI)
ARDOUR.LuaAPI.usleep (200000)
print ("check: processed to sample " .. s:transport_sample ())

local value = ARDOUR.LuaAPI.get_processor_param (plugin, 0, true)
print ("check: parameter reads " .. tostring (value))

s:save_state ("", false, false, false, false, false)
print ("check: saved")
close_session ()
