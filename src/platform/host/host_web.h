// The web host: the game in a browser page, built with emscripten. The page's canvas, the
// keyboard, the page's clock (the game's own loop sleeps through the browser's timers) and Web
// Audio; the page's half lives in web/host_web.js.
#pragma once

#include "platform/host/host.h"

// The web host, created on first use.
Host& HostWeb();
