-- Reopens the session that session.lua saved, rolls and saves it again without touching the
-- plug-in: what Ardour recalls must be what the processor held. Prints one "check:" line per step.
dofile (debug.getinfo (1, "S").source:match ("^@(.*/)") .. "common.lua")
local folder = os.getenv ("TESSALINE_SESSION_DIR")
local name = "tessaline"

AudioEngine:set_backend ("None (Dummy)", "", "")
local s = load_session (folder, name)
if not s then print ("check: no session"); os.exit (1) end
print ("check: session reopened")

local plugin = nil
for route in s:get_routes ():iter () do
	local processor = route:nth_plugin (0)
	if not processor:isnil () then plugin = processor end
end
if not plugin then print ("check: plugin not found"); close_session (); os.exit (1) end
print ("check: plugin reloaded: " .. plugin:display_name ())
print_reads (plugin, {0, 1, 4, 5, 18})

roll_save_and_close (s)
