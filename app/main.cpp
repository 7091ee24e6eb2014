#include "app/camera_setup_app.h"

int main(int argc, char** argv) {
    return netlark::CCameraSetupApp().run(argc, argv);
}
