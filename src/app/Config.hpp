// Settings read once from config.json in the working directory.
#pragma once

extern bool soundMuted;

void loadConfig();
