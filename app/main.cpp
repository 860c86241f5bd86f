#include "app/CSettingApp.h"

int main(int argc, char** argv) {
    dashcam::CSettingApp app(argc, argv);
    return app.InitInstance();
}
