// kvf-viewer: the desktop viewer for .kvf survey documents.
#include "app/startup/ViewerStartup.h"

int main(int argc, char** argv) { return kvf::app::RunViewer(argc, argv); }
