-- A headless Ardour session with noise into Tessaline, loaded as a VST 2.4 plug-in, on a stereo
-- track: measure the level for three settings, leave one changed, roll, save. One "check:" line
-- per step; the shell script judges by them.
local folder = os.getenv ("TESSALINE_SESSION_DIR")

AudioEngine:set_backend ("None (Dummy)", "", "")
local s = create_session (folder, "tessaline", 48000)
if not s then print ("check: no session"); os.exit (1) end

local track = s:new_audio_track (2, 2, nil, 1, "Reverb", ARDOUR.PresentationInfo.max_order, ARDOUR.TrackMode.Normal, true):front ()
track:add_processor_by_index (ARDOUR.LuaAPI.new_luaproc (s, "ACE Noise"), 0, nil, true)
local plugin = ARDOUR.LuaAPI.new_plugin (s, "Tessaline", ARDOUR.PluginType.LXVST, "")
if plugin:isnil () or track:add_processor_by_index (plugin, 1, nil, true) ~= 0 then
	print ("check: plugin not loaded"); close_session (); os.exit (1)
end
print ("check: plugin loaded: " .. plugin:display_name ())
print ("check: parameters " .. plugin:to_insert ():plugin (0):parameter_count ())

-- The track's meter sits after the plug-in; the configuration makes it fall at once.
local meter = track:peak_meter ()
local function level ()
	ARDOUR.LuaAPI.usleep (600000)
	return meter:meter_level (0, ARDOUR.MeterType.MeterPeak)
end
local kDry, kWet = 0, 18
s:request_roll (ARDOUR.TransportRequestSource.TRS_UI)
print ("check: level full " .. level ())
ARDOUR.LuaAPI.set_processor_param (plugin, kDry, 0.0)
print ("check: level reverb only " .. level ())
ARDOUR.LuaAPI.set_processor_param (plugin, kWet, 0.0)
print ("check: level wet off " .. level ())
ARDOUR.LuaAPI.set_processor_param (plugin, kWet, 1.0)
ARDOUR.LuaAPI.set_processor_param (plugin, kDry, 0.25)
ARDOUR.LuaAPI.usleep (300000)
s:request_stop (false, false, ARDOUR.TransportRequestSource.TRS_UI)
ARDOUR.LuaAPI.usleep (200000)
print ("check: processed to sample " .. s:transport_sample ())

s:save_state ("", false, false, false, false, false)
print ("check: saved")
close_session ()
