<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES">
<context>
    <name>EditBox</name>
    <message>
        <location filename="../src/widgets/editbox.cpp" line="+54"/>
        <location line="+3"/>
        <source>valid range is </source>
        <translation>el rango válido es </translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Value </source>
        <translation>El valor </translation>
    </message>
    <message>
        <location line="+0"/>
        <source> is out of range</source>
        <translation> está fuera de rango</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Input Error</source>
        <translation>Error de entrada</translation>
    </message>
</context>
<context>
    <name>FAlertMessage</name>
    <message>
        <location filename="../src/forms/falertmessage.cpp" line="+37"/>
        <source>Press Ok to continue</source>
        <translation>Pulse Ok para continuar</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Press Esc to cancel</source>
        <translation>Pulse Esc para cancelar</translation>
    </message>
</context>
<context>
    <name>FCaptureMessage</name>
    <message>
        <location filename="../src/forms/fcapturemessage.cpp" line="+31"/>
        <source>Press Ok to continue</source>
        <translation>Pulse Ok para continuar</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Press Esc to cancel</source>
        <translation>Pulse Esc para cancelar</translation>
    </message>
</context>
<context>
    <name>FCfgProdZetaVX_DVBS2</name>
    <message>
        <location filename="../src/config/fcfgprodzetavx_dvbs2.cpp" line="+42"/>
        <source>&lt;45</source>
        <translation>&lt;45</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>45-50</source>
        <translation>45-50</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>50-55</source>
        <translation>50-55</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>55-60</source>
        <translation>55-60</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>60-65</source>
        <translation>60-65</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>65-70</source>
        <translation>65-70</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>70-75</source>
        <translation>70-75</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>75-80</source>
        <translation>75-80</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>80-85</source>
        <translation>80-85</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&gt;85</source>
        <translation>&gt;85</translation>
    </message>
    <message>
        <location line="+160"/>
        <source>&amp;Read Configuration from File</source>
        <translation>&amp;Leer configuración de fichero</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Write Configuration to File</source>
        <translation>&amp;Escribir configuración en fichero</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Product Configuration From File</source>
        <translation>Configuración del producto desde fichero</translation>
    </message>
    <message>
        <location line="+123"/>
        <location line="+28"/>
        <location line="+6"/>
        <location line="+6"/>
        <location line="+83"/>
        <source>Comm error</source>
        <translation>Error de comunicación</translation>
    </message>
    <message>
        <location line="-123"/>
        <source>Communication error</source>
        <translation>Fallo en la comunicación</translation>
    </message>
    <message>
        <location line="+28"/>
        <source>Module info read error</source>
        <translation>Error al leer la información del módulo</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Module Input read error</source>
        <translation>Error al leer las entradas del módulo</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Configuration read error</source>
        <translation>Error al leer la configuración</translation>
    </message>
    <message>
        <location line="+171"/>
        <source> VX-Lyra</source>
        <translation> VX-Lyra</translation>
    </message>
</context>
<context>
    <name>FSelecFicheros</name>
    <message>
        <location filename="../src/storage/fselecficheros.cpp" line="+95"/>
        <source>Media not available</source>
        <translation>Soporte no disponible</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+1"/>
        <source>Not present</source>
        <translation>No presente</translation>
    </message>
    <message>
        <location line="+98"/>
        <source>Select device</source>
        <translation>Seleccione dispositivo</translation>
    </message>
    <message>
        <location line="+76"/>
        <source>New File</source>
        <translation>Nuevo fichero</translation>
    </message>
    <message>
        <location line="+41"/>
        <location line="+5"/>
        <source>Data writing</source>
        <translation>Escritura de datos</translation>
    </message>
    <message>
        <location line="-5"/>
        <source>The medium is write protected</source>
        <translation>El soporte está protegido contra escritura</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Not a configuration file:
</source>
        <translation>No es un fichero de configuración:
</translation>
    </message>
    <message>
        <source>This name leads off the medium:
</source>
        <translation>Este nombre sale del soporte:
</translation>
    </message>
    <message>
        <location line="+103"/>
        <source>&amp;Copy File</source>
        <translation>&amp;Copiar fichero</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Copy a file to the clipboard</source>
        <translation>Copia un fichero al portapapeles</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Cut File</source>
        <translation>C&amp;ortar fichero</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Cut a file to the clipboard</source>
        <translation>Corta un fichero al portapapeles</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Paste File</source>
        <translation>&amp;Pegar fichero</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Paste the clipboard file here</source>
        <translation>Pega aquí el fichero del portapapeles</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;File Clear</source>
        <translation>&amp;Borrar fichero</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Clear File from Directory</source>
        <translation>Borra el fichero del directorio</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>File Menu</source>
        <translation>Menú de ficheros</translation>
    </message>
    <message>
        <location line="+26"/>
        <source>Confirm file paste</source>
        <translation>Confirmar pegado de fichero</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Please confirm paste of file
</source>
        <translation>Confirme el pegado del fichero
</translation>
    </message>
    <message>
        <location line="+6"/>
        <location line="+12"/>
        <location line="+7"/>
        <location line="+20"/>
        <source>File open error</source>
        <translation>Error al abrir el fichero</translation>
    </message>
    <message>
        <location line="-39"/>
        <location line="+19"/>
        <source>Cannot open file </source>
        <translation>No se puede abrir el fichero </translation>
    </message>
    <message>
        <location line="-14"/>
        <source>Pasting file</source>
        <translation>Pegando fichero</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Pasting file, please wait</source>
        <translation>Pegando fichero, espere por favor</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Destination file already exists, delete first</source>
        <translation>El fichero de destino ya existe, bórrelo antes</translation>
    </message>
    <message>
        <location line="+27"/>
        <source>Cannot write file </source>
        <translation>No se puede escribir el fichero </translation>
    </message>
</context>
<context>
    <name>FSelecModulos</name>
    <message>
        <location filename="../src/storage/fselecmodulos.cpp" line="+117"/>
        <source>New ID</source>
        <translation>Nuevo ID</translation>
    </message>
    <message>
        <location line="+80"/>
        <source>&amp;Module Clear</source>
        <translation>&amp;Borrar módulo</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Clear Module from File</source>
        <translation>Borra el módulo del fichero</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Modify Module ID</source>
        <translation>&amp;Modificar ID de módulo</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Modify Module ID</source>
        <translation>Modifica el ID del módulo</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Module Menu</source>
        <translation>Menú de módulos</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Module Erasing</source>
        <translation>Borrado de módulo</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Confirm delete of </source>
        <translation>Confirme el borrado de </translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Module </source>
        <translation>Módulo </translation>
    </message>
</context>
<context>
    <name>FormAlertMessage</name>
    <message>
        <location filename="../src/forms/falertmessage.ui" line="+35"/>
        <location filename="../src/forms/falertmessage.cpp" line="+81"/>
        <source>Form</source>
        <translation>Formulario</translation>
    </message>
    <message>
        <location line="+135"/>
        <source>Alert Message</source>
        <translation>Mensaje de alerta</translation>
    </message>
    <message>
        <location line="+104"/>
        <source>Enter</source>
        <translation>Intro</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Esc</source>
        <translation>Esc</translation>
    </message>
</context>
<context>
    <name>FormCaptureMessage</name>
    <message>
        <location filename="../src/forms/fcapturemessage.ui" line="+35"/>
        <location filename="../src/forms/fcapturemessage.cpp" line="+75"/>
        <source>Form</source>
        <translation>Formulario</translation>
    </message>
    <message>
        <location line="+135"/>
        <source>Capture Message</source>
        <translation>Mensaje de captura</translation>
    </message>
    <message>
        <location line="+107"/>
        <source>Enter</source>
        <translation>Intro</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Esc</source>
        <translation>Esc</translation>
    </message>
</context>
<context>
    <name>FormCfgProdZetaVX_DVBS2</name>
    <message>
        <location filename="../src/config/fcfgprodzetavx_dvbs2.ui" line="+9"/>
        <source>Form</source>
        <translation>Formulario</translation>
    </message>
    <message>
        <location line="+28"/>
        <source>Zeta-VX IF processor DVBS/S2</source>
        <translation>Procesador FI Zeta-VX DVBS/S2</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>Inputs</source>
        <translation>Entradas</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>1 input</source>
        <translation>1 entrada</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>2 inputs</source>
        <translation>2 entradas</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Processor 1</source>
        <translation>Procesador 1</translation>
    </message>
    <message>
        <location line="+8"/>
        <location line="+24"/>
        <location line="+407"/>
        <location line="+24"/>
        <source>Off</source>
        <translation>Apagado</translation>
    </message>
    <message>
        <location line="-452"/>
        <location line="+24"/>
        <location line="+407"/>
        <location line="+24"/>
        <source>On</source>
        <translation>Encendido</translation>
    </message>
    <message>
        <location line="-442"/>
        <location line="+431"/>
        <source>Power LNB</source>
        <translation>Alim. LNB</translation>
    </message>
    <message>
        <location line="-412"/>
        <location line="+431"/>
        <source>Sat band</source>
        <translation>Banda sat.</translation>
    </message>
    <message>
        <location line="-423"/>
        <location line="+431"/>
        <source>Low(0)</source>
        <translation>Baja(0)</translation>
    </message>
    <message>
        <location line="-428"/>
        <location line="+431"/>
        <source>High(22KHz)</source>
        <translation>Alta(22KHz)</translation>
    </message>
    <message>
        <location line="-423"/>
        <source>Sat polarity</source>
        <translation>Polaridad sat.</translation>
    </message>
    <message>
        <location line="+8"/>
        <location line="+431"/>
        <source>Vertical(13V)</source>
        <translation>Vertical(13V)</translation>
    </message>
    <message>
        <location line="-428"/>
        <location line="+431"/>
        <source>Horizontal(18V)</source>
        <translation>Horizontal(18V)</translation>
    </message>
    <message>
        <location line="-423"/>
        <location line="+431"/>
        <source>Input freq</source>
        <translation>Frec. entrada</translation>
    </message>
    <message>
        <location line="-417"/>
        <location line="+181"/>
        <location line="+58"/>
        <location line="+192"/>
        <location line="+180"/>
        <location line="+58"/>
        <source>MHz</source>
        <translation>MHz</translation>
    </message>
    <message>
        <location line="-662"/>
        <location line="+431"/>
        <source>Symbol rate</source>
        <translation>Vel. símbolo</translation>
    </message>
    <message>
        <location line="-417"/>
        <location line="+431"/>
        <source>KBd</source>
        <translation>KBd</translation>
    </message>
    <message>
        <location line="-424"/>
        <source>Roll off</source>
        <translation>Roll-off</translation>
    </message>
    <message>
        <location line="+23"/>
        <location line="+430"/>
        <source>BW</source>
        <translation>AB</translation>
    </message>
    <message>
        <location line="-423"/>
        <location line="+430"/>
        <source>Auto</source>
        <translation>Auto</translation>
    </message>
    <message>
        <location line="-300"/>
        <location line="+430"/>
        <source>Input level</source>
        <translation>Nivel entrada</translation>
    </message>
    <message>
        <location line="-401"/>
        <location line="+430"/>
        <source>dBuV</source>
        <translation>dBuV</translation>
    </message>
    <message>
        <location line="-422"/>
        <location line="+430"/>
        <source>Output freq</source>
        <translation>Frec. salida</translation>
    </message>
    <message>
        <location line="-409"/>
        <source>Atenuacion</source>
        <translation>Atenuación</translation>
    </message>
    <message>
        <location line="+78"/>
        <location line="+430"/>
        <source>dB</source>
        <translation>dB</translation>
    </message>
    <message>
        <location line="-418"/>
        <source>Processor 2</source>
        <translation>Procesador 2</translation>
    </message>
    <message>
        <location line="+62"/>
        <source>Sat pol</source>
        <translation>Pol. sat.</translation>
    </message>
    <message>
        <location line="+61"/>
        <source>Roll Off</source>
        <translation>Roll-off</translation>
    </message>
    <message>
        <location line="+217"/>
        <source>Attenuation</source>
        <translation>Atenuación</translation>
    </message>
    <message>
        <location line="+90"/>
        <source>INFO</source>
        <translation>INFO</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Code</source>
        <translation>Código</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>HW Version</source>
        <translation>Versión HW</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>FW Version</source>
        <translation>Versión FW</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Serial number</source>
        <translation>Nº de serie</translation>
    </message>
</context>
<context>
    <name>FormFuncEspeciales</name>
    <message>
        <location filename="../src/forms/ffuncespeciales.ui" line="+14"/>
        <source>Dialog</source>
        <translation>Diálogo</translation>
    </message>
    <message>
        <location line="+123"/>
        <source>Special function</source>
        <translation>Función especial</translation>
    </message>
    <message>
        <location line="+25"/>
        <source>Special Function</source>
        <translation>Función especial</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Data</source>
        <translation>Dato</translation>
    </message>
</context>
<context>
    <name>FormMainMenuZetaVX_DVBS2</name>
    <message>
        <location filename="../src/forms/fmainmenuzetavx_dvbs2.ui" line="+14"/>
        <source>Form</source>
        <translation>Formulario</translation>
    </message>
    <message>
        <location line="+117"/>
        <source>Zeta-VX IF processor DVBS/S2</source>
        <translation>Procesador FI Zeta-VX DVBS/S2</translation>
    </message>
    <message>
        <location line="+53"/>
        <source>Config Product</source>
        <translation>Configurar producto</translation>
    </message>
</context>
<context>
    <name>FormMainWindowZetaVX_DVBS2</name>
    <message>
        <location filename="../src/forms/mainwindowzetavx_dvbs2.ui" line="+17"/>
        <location filename="../src/forms/mainwindowzetavx_dvbs2.cpp" line="+296"/>
        <source>Form</source>
        <translation>Formulario</translation>
    </message>
    <message>
        <location line="+35"/>
        <location filename="../src/forms/mainwindowzetavx_dvbs2.cpp" line="+1"/>
        <source>ZetaVX_DVBS2_FuncionesEspeciales</source>
        <translation>ZetaVX_DVBS2_FuncionesEspeciales</translation>
    </message>
</context>
<context>
    <name>FormModifIDMod</name>
    <message>
        <location filename="../src/storage/fmodifidmod.ui" line="+11"/>
        <source>Form</source>
        <translation>Formulario</translation>
    </message>
    <message>
        <location line="+25"/>
        <source>Module ID Edition</source>
        <translation>Edición de ID de módulo</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Module ID</source>
        <translation>ID de módulo</translation>
    </message>
</context>
<context>
    <name>FormSelecFicheros</name>
    <message>
        <location filename="../src/storage/fselecficheros.ui" line="+11"/>
        <source>Form</source>
        <translation>Formulario</translation>
    </message>
    <message>
        <location line="+35"/>
        <source>Files</source>
        <translation>Ficheros</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>New File</source>
        <translation>Nuevo fichero</translation>
    </message>
</context>
<context>
    <name>FormSelecModulos</name>
    <message>
        <location filename="../src/storage/fselecmodulos.ui" line="+11"/>
        <source>Form</source>
        <translation>Formulario</translation>
    </message>
    <message>
        <location line="+25"/>
        <source>Modules</source>
        <translation>Módulos</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>New ID</source>
        <translation>Nuevo ID</translation>
    </message>
</context>
<context>
    <name>MSP_Zeta_VX_DVBS2</name>
    <message>
        <location filename="../src/plugin/msp_zeta_vx_dvbs2.cpp" line="+22"/>
        <location line="+5"/>
        <source>Zeta-VX IF Processor DVBS/S2</source>
        <translation>Procesador FI Zeta-VX DVBS/S2</translation>
    </message>
</context>
<context>
    <name>MainWindowZetaVX_DVBS2</name>
    <message>
        <location filename="../src/forms/mainwindowzetavx_dvbs2.cpp" line="-252"/>
        <source>MainMenu form not defined on ZetaVX_DVBS2</source>
        <translation>Formulario MainMenu no definido en ZetaVX_DVBS2</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>CfgProd form not defined on ZetaVX_DVBS2</source>
        <translation>Formulario CfgProd no definido en ZetaVX_DVBS2</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Special functions form not defined on ZetaVX_DVBS2</source>
        <translation>Formulario de funciones especiales no definido en ZetaVX_DVBS2</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>File Management form not defined on ZetaVX_DVBS2</source>
        <translation>Formulario de gestión de ficheros no definido en ZetaVX_DVBS2</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Modules Management form not defined on ZetaVX_DVBS2</source>
        <translation>Formulario de gestión de módulos no definido en ZetaVX_DVBS2</translation>
    </message>
    <message>
        <location line="+180"/>
        <source>Data writing</source>
        <translation>Escritura de datos</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Writing config data</source>
        <translation>Escribiendo datos de configuración</translation>
    </message>
    <message>
        <location line="+5"/>
        <location line="+3"/>
        <source>Data writed</source>
        <translation>Datos escritos</translation>
    </message>
    <message>
        <location line="-3"/>
        <source>Config data saved</source>
        <translation>Datos de configuración guardados</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Config data save error</source>
        <translation>Error al guardar los datos de configuración</translation>
    </message>
    <message>
        <location line="+11"/>
        <location line="+5"/>
        <source>Data reading</source>
        <translation>Lectura de datos</translation>
    </message>
    <message>
        <location line="-5"/>
        <source>Data read error</source>
        <translation>Error de lectura de datos</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Data Correctly read</source>
        <translation>Datos leídos correctamente</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Input error</source>
        <translation>Error de entrada</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Unknown function code</source>
        <translation>Código de función desconocido</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Comm error</source>
        <translation>Error de comunicación</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Transmission error</source>
        <translation>Error de transmisión</translation>
    </message>
</context>
</TS>
