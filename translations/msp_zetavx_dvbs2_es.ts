<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES">
<context>
    <name>EditBox</name>
    <message>
        <location filename="../src/widgets/editbox.cpp" line="+54" />
        <location line="+3" />
        <source>valid range is </source>
        <translation>el rango válido es </translation>
    </message>
    <message>
        <location line="+3" />
        <source>Value </source>
        <translation>El valor </translation>
    </message>
    <message>
        <location line="+0" />
        <source> is out of range</source>
        <translation> está fuera de rango</translation>
    </message>
    <message>
        <location line="+1" />
        <source>Input Error</source>
        <translation>Error de entrada</translation>
    </message>
</context>
<context>
    <name>FAlertMessage</name>
    <message>
        <location filename="../src/forms/falertmessage.cpp" line="+37" />
        <source>Press Ok to continue</source>
        <translation>Pulse Ok para continuar</translation>
    </message>
    <message>
        <location line="+1" />
        <source>Press Esc to cancel</source>
        <translation>Pulse Esc para cancelar</translation>
    </message>
</context>
<context>
    <name>FCaptureMessage</name>
    <message>
        <location filename="../src/forms/fcapturemessage.cpp" line="+31" />
        <source>Press Ok to continue</source>
        <translation>Pulse Ok para continuar</translation>
    </message>
    <message>
        <location line="+1" />
        <source>Press Esc to cancel</source>
        <translation>Pulse Esc para cancelar</translation>
    </message>
</context>
<context>
    <name>FormAlertMessage</name>
    <message>
        <location filename="../src/forms/falertmessage.ui" line="+35" />
        <location filename="../src/forms/falertmessage.cpp" line="+81" />
        <source>Form</source>
        <translation>Formulario</translation>
    </message>
    <message>
        <location line="+135" />
        <source>Alert Message</source>
        <translation>Mensaje de alerta</translation>
    </message>
    <message>
        <location line="+104" />
        <source>Enter</source>
        <translation>Intro</translation>
    </message>
    <message>
        <location line="+10" />
        <source>Esc</source>
        <translation>Esc</translation>
    </message>
</context>
<context>
    <name>FormCaptureMessage</name>
    <message>
        <location filename="../src/forms/fcapturemessage.ui" line="+35" />
        <location filename="../src/forms/fcapturemessage.cpp" line="+75" />
        <source>Form</source>
        <translation>Formulario</translation>
    </message>
    <message>
        <location line="+135" />
        <source>Capture Message</source>
        <translation>Mensaje de captura</translation>
    </message>
    <message>
        <location line="+107" />
        <source>Enter</source>
        <translation>Intro</translation>
    </message>
    <message>
        <location line="+10" />
        <source>Esc</source>
        <translation>Esc</translation>
    </message>
</context>
<context>
    <name>FormMainWindowZetaVX_DVBS2</name>
    <message>
        <location filename="../src/forms/mainwindowzetavx_dvbs2.ui" line="+17" />
        <location filename="../src/forms/mainwindowzetavx_dvbs2.cpp" line="+296" />
        <source>Form</source>
        <translation>Formulario</translation>
    </message>
    <message>
        <location line="+35" />
        <location filename="../src/forms/mainwindowzetavx_dvbs2.cpp" line="+1" />
        <source>ZetaVX_DVBS2_FuncionesEspeciales</source>
        <translation>ZetaVX_DVBS2_FuncionesEspeciales</translation>
    </message>
</context>
<context>
    <name>MSP_Zeta_VX_DVBS2</name>
    <message>
        <location filename="../src/plugin/msp_zeta_vx_dvbs2.cpp" line="+22" />
        <location line="+5" />
        <source>Zeta-VX IF Processor DVBS/S2</source>
        <translation>Procesador FI Zeta-VX DVBS/S2</translation>
    </message>
</context>
<context>
    <name>MainWindowZetaVX_DVBS2</name>
    <message>
        <location filename="../src/forms/mainwindowzetavx_dvbs2.cpp" line="-252" />
        <source>MainMenu form not defined on ZetaVX_DVBS2</source>
        <translation>Formulario MainMenu no definido en ZetaVX_DVBS2</translation>
    </message>
    <message>
        <location line="+4" />
        <source>CfgProd form not defined on ZetaVX_DVBS2</source>
        <translation>Formulario CfgProd no definido en ZetaVX_DVBS2</translation>
    </message>
    <message>
        <location line="+7" />
        <source>Special functions form not defined on ZetaVX_DVBS2</source>
        <translation>Formulario de funciones especiales no definido en ZetaVX_DVBS2</translation>
    </message>
    <message>
        <location line="+5" />
        <source>File Management form not defined on ZetaVX_DVBS2</source>
        <translation>Formulario de gestión de ficheros no definido en ZetaVX_DVBS2</translation>
    </message>
    <message>
        <location line="+5" />
        <source>Modules Management form not defined on ZetaVX_DVBS2</source>
        <translation>Formulario de gestión de módulos no definido en ZetaVX_DVBS2</translation>
    </message>
    <message>
        <location line="+180" />
        <source>Data writing</source>
        <translation>Escritura de datos</translation>
    </message>
    <message>
        <location line="+0" />
        <source>Writing config data</source>
        <translation>Escribiendo datos de configuración</translation>
    </message>
    <message>
        <location line="+5" />
        <location line="+3" />
        <source>Data writed</source>
        <translation>Datos escritos</translation>
    </message>
    <message>
        <location line="-3" />
        <source>Config data saved</source>
        <translation>Datos de configuración guardados</translation>
    </message>
    <message>
        <location line="+3" />
        <source>Config data save error</source>
        <translation>Error al guardar los datos de configuración</translation>
    </message>
    <message>
        <location line="+11" />
        <location line="+5" />
        <source>Data reading</source>
        <translation>Lectura de datos</translation>
    </message>
    <message>
        <location line="-5" />
        <source>Data read error</source>
        <translation>Error de lectura de datos</translation>
    </message>
    <message>
        <location line="+5" />
        <source>Data Correctly read</source>
        <translation>Datos leídos correctamente</translation>
    </message>
    <message>
        <location line="+12" />
        <source>Input error</source>
        <translation>Error de entrada</translation>
    </message>
    <message>
        <location line="+0" />
        <source>Unknown function code</source>
        <translation>Código de función desconocido</translation>
    </message>
    <message>
        <location line="+7" />
        <source>Comm error</source>
        <translation>Error de comunicación</translation>
    </message>
    <message>
        <location line="+0" />
        <source>Transmission error</source>
        <translation>Error de transmisión</translation>
    </message>
</context>
</TS>