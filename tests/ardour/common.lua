-- Steps that session.lua and reopen.lua share; each prints the "check:" lines the shell script reads.

-- The values Ardour holds for these control numbers of the plug-in, four decimals each.
function print_reads (plugin, controls)
	for _, control in ipairs (controls) do
		print (string.format ("check: reads %d %.4f", control, ARDOUR.LuaAPI.get_processor_param (plugin, control, true)))
	end
end

-- Rolls for a moment, stops, saves the session and closes it.
function roll_save_and_close (s)
	s:request_roll (ARDOUR.TransportRequestSource.TRS_UI)
	ARDOUR.LuaAPI.usleep (1500000)
	s:request_stop (false, false, ARDOUR.TransportRequestSource.TRS_UI)
	ARDOUR.LuaAPI.usleep (200000)
	print ("check: processed to sample " .. s:transport_sample ())
	s:save_state ("", false, false, false, false, false)
	print ("check: saved")
	close_session ()
end
