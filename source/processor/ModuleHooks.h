// The module hooks that the library entry (InitDll/ExitDll) and the VST 2.4 entry call.
#pragma once

// Both do nothing and answer true; they exist so that every entry has a hook to pair.
bool InitModule ();
bool DeinitModule ();
