-- A headless Ardour session with Tessaline on a stereo track: change a parameter, roll, save.
-- Prints one "check:" line per step; the shell script that runs it judges by those lines.
dofile (debug.getinfo (1, "S").source:match ("^@(.*/)") .. "common.lua")
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
-- What Ardour holds for parameters the processor starts with other values than the controller's
-- defaults (by control number: Predelay, Reverb variation, Decay time, Wet).
print_reads (plugin, {1, 4, 5, 18})
-- Parameter 0 of the plug-in is Dry; its new value must travel to the processor and into the state.
if ARDOUR.LuaAPI.set_processor_param (plugin, 0, 0.25) then
	print ("check: parameter set")
end
print ("check: parameter reads " .. tostring (ARDOUR.LuaAPI.get_processor_param (plugin, 0, true)))

roll_save_and_close (s)
